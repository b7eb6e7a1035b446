#pragma once

struct SDL_Window;
union SDL_Event;

// What the window system itself said about the pointer, before SDL moved a
// position outside the window onto its nearest edge.
struct PointerReport {
    enum class Kind { none, enter, leave, press, release };
    Kind kind = Kind::none;
    int x = 0;  // client pixels, possibly outside the client area
    int y = 0;
};

// The window system's connection: for sleeping until the display sends
// something, and for the true pointer positions behind SDL's mouse events.
// Only X11 offers one; elsewhere isOpen() is false, the caller waits through
// SDL and takes SDL's positions as they are.
class DisplayConnection {
public:
    explicit DisplayConnection(SDL_Window* window);

    bool isOpen() const { return fd >= 0; }
    // Sleeps until the display has events for the program, `wakeFd` becomes
    // readable, a signal arrives or `timeoutMs` passes (-1: no limit).
    void wait(int wakeFd, int timeoutMs) const;
    // The pointer event behind a system-window event of this window (SDL
    // reports each X event so, just before the SDL events made from it);
    // Kind::none for anything else.
    PointerReport pointerReport(const SDL_Event& systemEvent) const;

private:
    void* display = nullptr;
    unsigned long window = 0;
    int fd = -1;
};
