// The only file that sees X11: its headers define macros (None, Bool, Status)
// that clash with ordinary names elsewhere.
#include "platform/sdl/display_connection.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

DisplayConnection::DisplayConnection(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11 && info.info.x11.display) {
        display = info.info.x11.display;
        fd = ConnectionNumber(info.info.x11.display);
    }
}

bool DisplayConnection::waitForInput(int timeoutMs) const
{
    // Replies to drawing requests may have brought events along that the
    // library already read off the socket; the socket alone would not show them.
    if (XEventsQueued(static_cast<Display*>(display), QueuedAlready) > 0)
        return true;
    pollfd input{fd, POLLIN, 0};
    return poll(&input, 1, timeoutMs) != 0;
}
