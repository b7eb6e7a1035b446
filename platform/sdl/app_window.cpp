#include "platform/app_window.h"

#include <SDL.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/draw_surface.h"
#include "platform/exit_status.h"
#include "platform/sdl/display_connection.h"
#include "platform/sdl/native_types.h"
#include "platform/sdl/quit_signals.h"
#include "platform/sdl/typeface_cache.h"

namespace {

bool insideClient(int x, int y, ClientSize size)
{
    return x >= 0 && y >= 0 && x < size.width && y < size.height;
}

// Letters and digits keep their ASCII upper-case code, as virtual-key codes do;
// 0 for every other key, which the program does not handle.
unsigned virtualKeyCode(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return static_cast<unsigned>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9)
        return static_cast<unsigned>('0' + (key - SDLK_0));
    return 0;
}

std::string sdlReason()
{
    const char* reason = SDL_GetError();
    return reason && reason[0] ? reason : "unknown reason";
}

}  // namespace

VideoSystem::VideoSystem()
{
    // Without this the first window surface request recreates the X window
    // under a new id and drops the opacity and stacking already set on it.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A release outside the window must not reach the controls; keeping the
    // pointer captured would deliver it.
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
    // The click that brings the window to the front is a click like any other.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The event loop handles the signals that end the program itself, in the
    // same wait as the display's events.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A calendar tool has no business keeping the screen saver away, and
    // doing so would wake it every half minute.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    QuitSignals::installed();
    // The window draws its first frame sooner with the typefaces chosen on an
    // earlier start.
    useTypefaceCacheFile(userTypefaceCacheFile());
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        startFailure = {"Main1", exitStatus::noDisplay, sdlReason()};
        return;
    }
    // With no display to reach SDL falls back to a driver that shows nothing;
    // a window there would run unseen until killed. Only an explicit request
    // (as the tests make) may choose such a driver.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    const bool invisible = driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    if (invisible && !(requested && std::strcmp(requested, driver) == 0)) {
        SDL_Quit();
        startFailure = {"Main1", exitStatus::noDisplay, "no display to show the window on (is DISPLAY set?)"};
    }
}

VideoSystem::~VideoSystem()
{
    if (!startFailure.failed())
        SDL_Quit();
}

ClientSize VideoSystem::usableScreenSize() const
{
    SDL_Rect bounds{};
    if (SDL_GetDisplayUsableBounds(0, &bounds) != 0 && SDL_GetDisplayBounds(0, &bounds) != 0)
        return {};
    return {bounds.w, bounds.h};
}

struct AppWindow::Native {
    bool deliver(const SDL_Event& event, const Procedure& procedure);
    bool buttonInside(PointerReport::Kind kind, int x, int y) const;
    bool moveInside(int x, int y) const;
    void run(const Procedure& procedure);

    struct WindowDestroyer {
        void operator()(SDL_Window* window) const noexcept { SDL_DestroyWindow(window); }
    };
    std::unique_ptr<SDL_Window, WindowDestroyer> window;
    ClientSize size;
    unsigned timerId = 0;
    int timerPeriod = 0;  // 0: stopped
    Uint64 nextTick = 0;
    std::optional<DisplayConnection> connection;  // while the loop runs
    PointerReport lastPointer;
};

AppWindow::AppWindow() : native(std::make_unique<Native>()) {}
AppWindow::~AppWindow() = default;

StartupFailure AppWindow::create(const std::string& title, ClientSize client, ScreenPoint outerTopLeft)
{
    native->window.reset(SDL_CreateWindow(title.c_str(), outerTopLeft.x, outerTopLeft.y, client.width,
                                          client.height, SDL_WINDOW_HIDDEN));
    if (!native->window)
        return {"Main2", exitStatus::noWindow, sdlReason()};
    native->size = client;
    if (!SDL_GetWindowSurface(native->window.get())) {
        const std::string reason = sdlReason();
        native->window.reset();
        return {"Main3", exitStatus::noSurface, reason};
    }
    return {};
}

void AppWindow::setIcon(const Bitmap& icon)
{
    if (SDL_Surface* picture = sdlSurfaceOf(icon))
        SDL_SetWindowIcon(native->window.get(), picture);
}

void AppWindow::show()
{
    SDL_ShowWindow(native->window.get());
}

void AppWindow::startTimer(unsigned id, int periodMs)
{
    // The first tick comes as soon as the messages at hand are handled: the
    // program starts its timer when something may have changed, and sees the
    // change on screen without waiting a period for it.
    if (native->timerPeriod == 0)
        native->nextTick = SDL_GetTicks64();
    native->timerId = id;
    native->timerPeriod = std::max(periodMs, shortestTimerPeriod);
}

void AppWindow::stopTimer(unsigned id)
{
    if (id == native->timerId)
        native->timerPeriod = 0;
}

ClientSize AppWindow::clientSize() const
{
    return native->size;
}

ScreenPoint AppWindow::outerTopLeft() const
{
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(native->window.get(), &x, &y);
    int top = 0;
    int left = 0;
    // Fails without a window manager, which draws no frame: the client's corner
    // is then the outer corner.
    if (SDL_GetWindowBordersSize(native->window.get(), &top, &left, nullptr, nullptr) != 0)
        top = left = 0;
    return {x - left, y - top};
}

void AppWindow::setAlwaysOnTop(bool onTop)
{
    SDL_SetWindowAlwaysOnTop(native->window.get(), onTop ? SDL_TRUE : SDL_FALSE);
}

void AppWindow::setOpacity(int alpha)
{
    SDL_SetWindowOpacity(native->window.get(), static_cast<float>(std::clamp(alpha, 0, 255)) / 255.0f);
}

void AppWindow::present(const DrawSurface& frame)
{
    SDL_Surface* target = SDL_GetWindowSurface(native->window.get());
    if (!target || !frame.isValid())
        return;
    SDL_Surface* picture = frame.target()->surface.get();
    SDL_SetSurfaceBlendMode(picture, SDL_BLENDMODE_NONE);
    SDL_BlitSurface(picture, nullptr, target, nullptr);
    SDL_UpdateWindowSurface(native->window.get());
}

void AppWindow::run(const Procedure& procedure)
{
    native->run(procedure);
}

// Turns one SDL event into the window's message; false once the window is to close.
bool AppWindow::Native::deliver(const SDL_Event& event, const Procedure& procedure)
{
    switch (event.type) {
    case SDL_QUIT:
        return false;
    case SDL_WINDOWEVENT:
        if (event.window.windowID != SDL_GetWindowID(window.get()))
            break;
        if (event.window.event == SDL_WINDOWEVENT_CLOSE)
            return false;
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED)
            procedure({WindowMessageKind::paint});
        break;
    case SDL_KEYDOWN:
        // Keys held with Alt belong to the window manager's shortcuts.
        if ((event.key.keysym.mod & KMOD_ALT) == 0) {
            if (const unsigned code = virtualKeyCode(event.key.keysym.sym); code != 0)
                procedure({WindowMessageKind::keyDown, code});
        }
        break;
    case SDL_SYSWMEVENT:
        if (connection) {
            if (const PointerReport report = connection->pointerReport(event);
                report.kind != PointerReport::Kind::none)
                lastPointer = report;
        }
        break;
    case SDL_MOUSEMOTION:
        // SDL also reports the pointer leaving, at the edge it left by; the
        // controls hear nothing of it and keep their look.
        if (moveInside(event.motion.x, event.motion.y))
            procedure({WindowMessageKind::mouseMove, 0, event.motion.x, event.motion.y});
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (!buttonInside(PointerReport::Kind::press, event.button.x, event.button.y))
            break;
        if (event.button.button == SDL_BUTTON_LEFT)
            procedure({WindowMessageKind::leftButtonDown, 0, event.button.x, event.button.y});
        else if (event.button.button == SDL_BUTTON_RIGHT)
            procedure({WindowMessageKind::rightButtonDown, 0, event.button.x, event.button.y});
        break;
    case SDL_MOUSEBUTTONUP:
        // A release outside the window is no release for the controls, even
        // though the pressed window still hears of it.
        if (event.button.button == SDL_BUTTON_LEFT &&
            buttonInside(PointerReport::Kind::release, event.button.x, event.button.y))
            procedure({WindowMessageKind::leftButtonUp, 0, event.button.x, event.button.y});
        break;
    default:
        break;
    }
    return true;
}

// SDL keeps pointer positions inside the window: one outside is moved onto the
// nearest edge pixel. Where the window system tells the true position, that is
// what decides; without it SDL's position is all there is.
bool AppWindow::Native::buttonInside(PointerReport::Kind kind, int x, int y) const
{
    if (!connection || !connection->isOpen())
        return insideClient(x, y, size);
    return lastPointer.kind == kind && insideClient(lastPointer.x, lastPointer.y, size);
}

bool AppWindow::Native::moveInside(int x, int y) const
{
    if (!connection || !connection->isOpen())
        return insideClient(x, y, size);
    // None is heard between the pointer leaving and coming back.
    if (lastPointer.kind == PointerReport::Kind::leave)
        return false;
    const bool onEdge = x <= 0 || y <= 0 || x >= size.width - 1 || y >= size.height - 1;
    if (!onEdge)
        return true;
    // Moves carry no true position; one on the edge may have been moved there
    // from outside (with the button held the window keeps hearing them).
    int screenX = 0;
    int screenY = 0;
    int windowX = 0;
    int windowY = 0;
    SDL_GetGlobalMouseState(&screenX, &screenY);
    SDL_GetWindowPosition(window.get(), &windowX, &windowY);
    return insideClient(screenX - windowX, screenY - windowY, size);
}

void AppWindow::Native::run(const Procedure& procedure)
{
    // Without a display connection to sleep on, SDL's own wait is used; it is
    // woken by display events but not by signals, so it looks up this often.
    constexpr int longestQuietSpell = 100;
    const QuitSignals& quitSignals = QuitSignals::installed();
    connection.emplace(window.get());
    bool open = true;
    while (open) {
        SDL_Event event;
        while (open && SDL_PollEvent(&event))
            open = deliver(event, procedure);
        if (!open || quitSignals.received())
            break;

        // The timer runs only while the program expects changes; its tick
        // comes after the whole batch of input, so one frame shows it all.
        Uint64 now = SDL_GetTicks64();
        if (timerPeriod > 0 && now >= nextTick) {
            procedure({WindowMessageKind::timer, timerId});
            // After a long command the missed ticks are not made up.
            now = SDL_GetTicks64();
            nextTick = now + static_cast<Uint64>(timerPeriod);
        }

        // Idle, nothing wakes the program but the display and the signals.
        const int untilTick = timerPeriod > 0 ? static_cast<int>(nextTick > now ? nextTick - now : 0) : -1;
        if (connection->isOpen())
            connection->wait(quitSignals.fd(), untilTick);
        else
            SDL_WaitEventTimeout(nullptr, untilTick < 0 ? longestQuietSpell : std::min(untilTick, longestQuietSpell));
    }
    procedure({WindowMessageKind::destroy});
    connection.reset();
}
