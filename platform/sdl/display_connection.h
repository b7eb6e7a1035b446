#pragma once

struct SDL_Window;

// The window system's connection, for waiting on input without asking SDL to
// pump its whole event machinery on every timer tick. Only X11 offers one;
// elsewhere canWait() is false and the caller waits through SDL.
class DisplayConnection {
public:
    explicit DisplayConnection(SDL_Window* window);

    bool canWait() const { return fd >= 0; }
    // Sleeps until input arrives or the time is up. True when events may be
    // waiting (also after a signal), false on a quiet timeout.
    bool waitForInput(int timeoutMs) const;

private:
    void* display = nullptr;
    int fd = -1;
};
