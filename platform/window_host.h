#pragma once

class DrawSurface;

struct ClientSize {
    int width = 0;
    int height = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// What the program asks of its window while handling messages. Each system's
// window implements it; tests put a recording stand-in in its place.
class WindowHost {
public:
    // Asks for a timer message with this identifier every `periodMs`; periods
    // below the window's shortest tick are raised to it. A window may deliver
    // the first tick sooner, once the messages at hand are handled.
    virtual void startTimer(unsigned id, int periodMs) = 0;
    // No more timer messages with this identifier until it is started again.
    virtual void stopTimer(unsigned id) = 0;
    virtual ClientSize clientSize() const = 0;
    // Screen position of the window's outer top-left corner, frame included.
    virtual ScreenPoint outerTopLeft() const = 0;
    virtual void setAlwaysOnTop(bool onTop) = 0;
    // 255 is opaque.
    virtual void setOpacity(int alpha) = 0;
    // Copies a finished frame to the client area in one step.
    virtual void present(const DrawSurface& frame) = 0;

protected:
    ~WindowHost() = default;
};
