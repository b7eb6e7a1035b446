#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/window_host.h"
#include "platform/window_messages.h"

class Bitmap;

// A start-up step that failed: which step, the exit status it ends the program
// with, and the system's reason.
struct StartupFailure {
    std::string step;  // empty when the step succeeded
    int code = 0;
    std::string reason;
    bool failed() const { return !step.empty(); }
};

// The video system, held for as long as any window may exist.
class VideoSystem {
public:
    VideoSystem();
    ~VideoSystem();
    VideoSystem(const VideoSystem&) = delete;
    VideoSystem& operator=(const VideoSystem&) = delete;

    // Set when no display could be opened ("Main1").
    const StartupFailure& failure() const { return startFailure; }
    // The primary display's size less panels and docks.
    ClientSize usableScreenSize() const;

private:
    StartupFailure startFailure;
};

// Shortest timer period the window delivers, in milliseconds.
inline constexpr int shortestTimerPeriod = 10;

// The program's one top-level window: a fixed-size client area, a title bar
// with minimize and close, no maximize. It is created hidden so that its
// options can be set before anyone sees it.
class AppWindow final : public WindowHost {
public:
    AppWindow();
    ~AppWindow();
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    // Creates the hidden window with its outer top-left corner at (left, top)
    // and makes sure it can be drawn on ("Main2", "Main3").
    StartupFailure create(const std::string& title, ClientSize client, ScreenPoint outerTopLeft);
    void setIcon(const Bitmap& icon);
    void show();

    using Procedure = std::function<void(const WindowMessage&)>;
    // Delivers the window's events to `procedure` until the user closes the
    // window or the process is asked to quit (SIGTERM, SIGINT, SIGHUP); the
    // last message is `destroy`. Sleeps while no event comes and no timer runs.
    void run(const Procedure& procedure);

    void startTimer(unsigned id, int periodMs) override;
    void stopTimer(unsigned id) override;
    ClientSize clientSize() const override;
    ScreenPoint outerTopLeft() const override;
    void setAlwaysOnTop(bool onTop) override;
    void setOpacity(int alpha) override;
    void present(const DrawSurface& frame) override;

    // What the system keeps for the window; defined only inside platform/.
    struct Native;

private:
    std::unique_ptr<Native> native;
};
