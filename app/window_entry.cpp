#include "app/window_entry.h"

#include <cstdio>

// The window is not built yet: point the user at the command line instead.
int runWindowApp()
{
    std::fputs("usage: orvelplan pdf [--year Y] [--weekend D] [--layout 3|2] [--output PATH] [--open]\n"
               "       orvelplan text [--year Y] [--weekend D]\n"
               "       orvelplan --help | --version\n",
               stderr);
    return 2;
}
