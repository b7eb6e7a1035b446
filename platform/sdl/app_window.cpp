#include "platform/app_window.h"

#include <SDL.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/draw_surface.h"
#include "platform/sdl/display_connection.h"
#include "platform/sdl/native_types.h"

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
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        startFailure = {"Main1", noDisplayStatus, sdlReason()};
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
        startFailure = {"Main1", noDisplayStatus, "no display to show the window on (is DISPLAY set?)"};
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
    void run(const Procedure& procedure);

    struct WindowDestroyer {
        void operator()(SDL_Window* window) const noexcept { SDL_DestroyWindow(window); }
    };
    std::unique_ptr<SDL_Window, WindowDestroyer> window;
    ClientSize size;
    unsigned timerId = 0;
    int timerPeriod = 0;  // 0: no timer
};

AppWindow::AppWindow() : native(std::make_unique<Native>()) {}
AppWindow::~AppWindow() = default;

StartupFailure AppWindow::create(const std::string& title, ClientSize client, ScreenPoint outerTopLeft)
{
    native->window.reset(SDL_CreateWindow(title.c_str(), outerTopLeft.x, outerTopLeft.y, client.width,
                                          client.height, SDL_WINDOW_HIDDEN));
    if (!native->window)
        return {"Main2", noWindowStatus, sdlReason()};
    native->size = client;
    if (!SDL_GetWindowSurface(native->window.get())) {
        const std::string reason = sdlReason();
        native->window.reset();
        return {"Main3", noSurfaceStatus, reason};
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
    native->timerId = id;
    native->timerPeriod = std::max(periodMs, shortestTimerPeriod);
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
    case SDL_MOUSEMOTION:
        // With a button held the pointer stays grabbed and reports positions
        // outside the window; the controls hear only what happens inside.
        if (insideClient(event.motion.x, event.motion.y, size))
            procedure({WindowMessageKind::mouseMove, 0, event.motion.x, event.motion.y});
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (!insideClient(event.button.x, event.button.y, size))
            break;
        if (event.button.button == SDL_BUTTON_LEFT)
            procedure({WindowMessageKind::leftButtonDown, 0, event.button.x, event.button.y});
        else if (event.button.button == SDL_BUTTON_RIGHT)
            procedure({WindowMessageKind::rightButtonDown, 0, event.button.x, event.button.y});
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT && insideClient(event.button.x, event.button.y, size))
            procedure({WindowMessageKind::leftButtonUp, 0, event.button.x, event.button.y});
        break;
    default:
        break;
    }
    return true;
}

void AppWindow::Native::run(const Procedure& procedure)
{
    // A signal that arrives between draining the queue and going to sleep does
    // not wake the sleep; looking at SDL's queue this often catches its quit.
    constexpr Uint64 longestQuietSpell = 100;
    const DisplayConnection connection(window.get());
    Uint64 nextTick = SDL_GetTicks64() + static_cast<Uint64>(timerPeriod);
    Uint64 lastPump = 0;
    bool inputWaiting = true;
    bool open = true;
    while (open) {
        if (inputWaiting || SDL_GetTicks64() - lastPump >= longestQuietSpell) {
            lastPump = SDL_GetTicks64();
            SDL_Event event;
            while (open && SDL_PollEvent(&event))
                open = deliver(event, procedure);
            if (!open)
                break;
        }

        Uint64 now = SDL_GetTicks64();
        if (timerPeriod > 0 && now >= nextTick) {
            procedure({WindowMessageKind::timer, timerId});
            // After a long command the missed ticks are not made up.
            now = SDL_GetTicks64();
            nextTick = std::max(nextTick + static_cast<Uint64>(timerPeriod), now + 1);
        }

        const int wait = timerPeriod > 0 ? static_cast<int>(nextTick - now) : static_cast<int>(longestQuietSpell);
        // An idle window wakes only for its timer: a tick with no input costs
        // one poll, not a round of SDL's event pumping.
        if (connection.canWait())
            inputWaiting = connection.waitForInput(wait);
        else
            inputWaiting = SDL_WaitEventTimeout(nullptr, wait) == 1;
    }
    procedure({WindowMessageKind::destroy});
}
