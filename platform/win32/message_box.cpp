#include "platform/message_box.h"

#include <cstdio>

#include <windows.h>

void showMessageBox(const std::string& caption, const std::string& text)
{
    // Seen when the program was started from a console; a double-clicked
    // program has no standard error and only the box shows.
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
}
