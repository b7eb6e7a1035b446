#include "platform/message_box.h"

#include <cstdio>

#include <windows.h>

#include "platform/win32/error_box.h"

namespace {

// The program's visible main window ("winMain") on this thread, if any.
BOOL CALLBACK findMainWindow(HWND window, LPARAM found)
{
    char className[16] = {};
    if (!IsWindowVisible(window) || GetClassNameA(window, className, sizeof className) == 0 ||
        lstrcmpA(className, "winMain") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

void showErrorBox(const std::string& caption, const std::string& text)
{
    HWND owner = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findMainWindow, reinterpret_cast<LPARAM>(&owner));
    UINT style = MB_OK | MB_ICONERROR | MB_SETFOREGROUND;
    // An owned box stays above its owner; a topmost owner needs a topmost box
    // to keep it above other topmost windows too.
    if (owner && (GetWindowLongPtrA(owner, GWL_EXSTYLE) & WS_EX_TOPMOST))
        style |= MB_TOPMOST;
    MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

void showMessageBox(const std::string& caption, const std::string& text)
{
    // Seen when the program was started from a console; a double-clicked
    // program has no standard error and only the box shows.
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    showErrorBox(caption, text);
}
