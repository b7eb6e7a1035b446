#include "platform/app_window.h"

#include <cstdio>

#include "platform/draw_surface.h"
#include "platform/win32/native_types.h"
#include "platform/win32/system_error.h"

namespace {

constexpr const char* windowClassName = "winMain";
constexpr int iconGroupResource = 109;
constexpr DWORD windowStyle = WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD windowExtendedStyle = WS_EX_LAYERED;
// The program's client size has always been its outer size of 477 x 446 less
// a standard thin frame and title bar; the window is given that outer size
// and the client area is whatever this system's frame leaves of it.
constexpr int frameWidth = 6;
constexpr int frameHeight = 29;

StartupFailure lastErrorFailure(const char* step)
{
    const DWORD code = GetLastError();
    return {step, static_cast<int>(code), systemErrorText(code)};
}

LRESULT CALLBACK receiveMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace

struct AppWindow::Native {
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void deliver(const WindowMessage& message);

    HWND window = nullptr;
    const Procedure* procedure = nullptr;  // set while run() runs
    HDC paintDc = nullptr;                 // set while a WM_PAINT is answered
    unsigned timerId = 0;
    bool timerArmed = false;
    bool failed = false;  // the procedure threw: the loop ends
};

VideoSystem::VideoSystem()
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = receiveMessage;
    windowClass.hInstance = programInstance();
    windowClass.hIcon = LoadIconA(programInstance(), MAKEINTRESOURCEA(iconGroupResource));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = windowClassName;
    if (RegisterClassA(&windowClass) == 0)
        startFailure = lastErrorFailure("Main1");
}

VideoSystem::~VideoSystem()
{
    if (!startFailure.failed())
        UnregisterClassA(windowClassName, programInstance());
}

ClientSize VideoSystem::usableScreenSize() const
{
    return {GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)};
}

AppWindow::AppWindow() : native(std::make_unique<Native>()) {}

AppWindow::~AppWindow()
{
    if (native->window)
        DestroyWindow(native->window);
}

StartupFailure AppWindow::create(const std::string& title, ClientSize client, ScreenPoint outerTopLeft)
{
    // The window is created without a size and sized at once without moving,
    // which also puts it at the top of the z-order.
    HWND window = CreateWindowExA(windowExtendedStyle, windowClassName, title.c_str(), windowStyle, outerTopLeft.x,
                                  outerTopLeft.y, 0, 0, nullptr, nullptr, programInstance(), native.get());
    if (!window) {
        native->window = nullptr;  // set while the creation messages ran
        return lastErrorFailure("Main2");
    }
    SetWindowPos(window, HWND_TOP, 0, 0, client.width + frameWidth, client.height + frameHeight, SWP_NOMOVE);
    return {};
}

void AppWindow::setIcon(const Bitmap&)
{
    // The window class already carries icon group 109 from the resources.
}

void AppWindow::show()
{
    ShowWindow(native->window, SW_SHOWNORMAL);
}

void AppWindow::startTimer(unsigned id, int periodMs)
{
    // Setting a running timer again would restart its period; a stream of
    // pointer moves must not hold the tick off.
    if (native->timerArmed || !native->window)
        return;
    native->timerId = id;
    native->timerArmed = SetTimer(native->window, id, static_cast<UINT>(periodMs > 0 ? periodMs : 1), nullptr) != 0;
}

void AppWindow::stopTimer(unsigned id)
{
    if (!native->timerArmed || id != native->timerId)
        return;
    KillTimer(native->window, id);
    native->timerArmed = false;
}

ClientSize AppWindow::clientSize() const
{
    RECT client{};
    GetClientRect(native->window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

ScreenPoint AppWindow::outerTopLeft() const
{
    RECT outer{};
    GetWindowRect(native->window, &outer);
    return {outer.left, outer.top};
}

void AppWindow::setAlwaysOnTop(bool onTop)
{
    SetWindowPos(native->window, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void AppWindow::setOpacity(int alpha)
{
    SetLayeredWindowAttributes(native->window, 0, static_cast<BYTE>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha),
                               LWA_ALPHA);
}

void AppWindow::present(const DrawSurface& frame)
{
    const DrawTarget* picture = frame.target();
    if (!picture)
        return;
    if (native->paintDc) {
        BitBlt(native->paintDc, 0, 0, picture->width, picture->height, picture->dc.get(), 0, 0, SRCCOPY);
        return;
    }
    const WindowDc screen(native->window);
    if (screen.get())
        BitBlt(screen.get(), 0, 0, picture->width, picture->height, picture->dc.get(), 0, 0, SRCCOPY);
}

void AppWindow::run(const Procedure& procedure)
{
    native->procedure = &procedure;
    MSG message{};
    while (!native->failed && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // WM_DESTROY has already told the procedure; a loop ended otherwise (a
    // quit message from elsewhere, a failure) still owes it the last message.
    if (native->window && !native->failed)
        DestroyWindow(native->window);
    native->procedure = nullptr;
}

void AppWindow::Native::deliver(const WindowMessage& message)
{
    if (procedure)
        (*procedure)(message);
}

LRESULT AppWindow::Native::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Client coordinates: the low and high 16 bits of lParam, taken unsigned.
    const int x = static_cast<int>(LOWORD(lParam));
    const int y = static_cast<int>(HIWORD(lParam));
    switch (message) {
    case WM_CREATE:
        // The program builds its screen as soon as create() returns.
        return 1;
    case WM_DESTROY:
        if (timerArmed)
            KillTimer(window, timerId);
        timerArmed = false;
        deliver({WindowMessageKind::destroy});
        window = nullptr;
        PostQuitMessage(0);
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        paintDc = BeginPaint(window, &paint);
        deliver({WindowMessageKind::paint});
        EndPaint(window, &paint);
        paintDc = nullptr;
        return 1;
    }
    case WM_KEYDOWN:
        deliver({WindowMessageKind::keyDown, static_cast<unsigned>(wParam)});
        return 1;
    case WM_COMMAND:
        deliver({WindowMessageKind::command});
        return 1;
    case WM_TIMER:
        deliver({WindowMessageKind::timer, static_cast<unsigned>(wParam)});
        return 1;
    case WM_MOUSEMOVE:
        deliver({WindowMessageKind::mouseMove, 0, x, y});
        return 1;
    case WM_LBUTTONDOWN:
        deliver({WindowMessageKind::leftButtonDown, 0, x, y});
        return 1;
    case WM_LBUTTONUP:
        deliver({WindowMessageKind::leftButtonUp, 0, x, y});
        return 1;
    case WM_RBUTTONDOWN:
        deliver({WindowMessageKind::rightButtonDown, 0, x, y});
        return 1;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

namespace {

LRESULT CALLBACK receiveMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* native = static_cast<AppWindow::Native*>(created->lpCreateParams);
        native->window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(native));
    }
    auto* native = reinterpret_cast<AppWindow::Native*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!native || native->window != window)
        return DefWindowProcA(window, message, wParam, lParam);
    // Nothing may unwind into the system's dispatcher.
    try {
        return native->handle(message, wParam, lParam);
    } catch (...) {
        std::fputs("orvelplan: the window stopped after an internal error\n", stderr);
        native->failed = true;
        PostQuitMessage(1);
        return 0;
    }
}

}  // namespace
