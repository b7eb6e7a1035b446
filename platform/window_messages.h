#pragma once

// What the window tells the program: one message per event, in the order the
// events happened. The window procedure that receives them never sees SDL.
enum class WindowMessageKind {
    create,           // the window exists, hidden; the screen is built now
    destroy,          // the window is closing; last chance to read its position
    paint,            // the client area must be drawn again in full
    keyDown,          // `code`: virtual-key code ('A'..'Z' = 0x41..0x5A, '0'..'9')
    timer,            // `code`: timer identifier
    mouseMove,        // x, y: client pixels
    leftButtonDown,   // x, y: client pixels
    leftButtonUp,     // x, y: client pixels
    rightButtonDown,  // x, y: client pixels
    command,          // a menu or accelerator command; the program has none
    other,            // anything else the window may report
};

struct WindowMessage {
    WindowMessageKind kind = WindowMessageKind::other;
    unsigned code = 0;
    int x = 0;
    int y = 0;
};

// Virtual-key codes of the letter keys, as the window reports them.
constexpr unsigned virtualKeyOfLetter(char upperCaseLetter)
{
    return static_cast<unsigned char>(upperCaseLetter);
}
