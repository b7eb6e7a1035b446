// The only file that sees X11: its headers define macros (None, Bool, Status)
// that clash with ordinary names elsewhere.
#include "platform/sdl/display_connection.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

DisplayConnection::DisplayConnection(SDL_Window* sdlWindow)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(sdlWindow, &info) && info.subsystem == SDL_SYSWM_X11 && info.info.x11.display) {
        display = info.info.x11.display;
        window = info.info.x11.window;
        fd = ConnectionNumber(info.info.x11.display);
        // Every X event is then also handed over as it is, which is where the
        // true positions of the pointer's crossings and buttons come from.
        SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    }
}

void DisplayConnection::wait(int wakeFd, int timeoutMs) const
{
    // Replies to drawing requests may have brought events along that the
    // library already read off the socket; the socket alone would not show them.
    if (XEventsQueued(static_cast<Display*>(display), QueuedAlready) > 0)
        return;
    pollfd sources[] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    poll(sources, wakeFd >= 0 ? 2 : 1, timeoutMs);
}

PointerReport DisplayConnection::pointerReport(const SDL_Event& systemEvent) const
{
    using Kind = PointerReport::Kind;
    if (systemEvent.type != SDL_SYSWMEVENT || !systemEvent.syswm.msg ||
        systemEvent.syswm.msg->subsystem != SDL_SYSWM_X11)
        return {};
    const XEvent& event = systemEvent.syswm.msg->msg.x11.event;
    if (event.xany.window != window)
        return {};
    // Pointer motion arrives through the input extension, whose event data SDL
    // has already released by the time it is handed over; crossings and
    // buttons come as core events with their positions.
    switch (event.type) {
    case EnterNotify:
        return {Kind::enter, event.xcrossing.x, event.xcrossing.y};
    case LeaveNotify:
        return {Kind::leave, event.xcrossing.x, event.xcrossing.y};
    case ButtonPress:
        return {Kind::press, event.xbutton.x, event.xbutton.y};
    case ButtonRelease:
        return {Kind::release, event.xbutton.x, event.xbutton.y};
    default:
        return {};
    }
}
