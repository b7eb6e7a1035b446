#include "app/window_entry.h"

#include <cstdio>

#include "app/fatal_error.h"
#include "app/settings_file.h"
#include "app/start_position.h"
#include "app/window_procedure.h"
#include "app/window_state.h"
#include "platform/app_window.h"
#include "platform/bitmap.h"
#include "platform/exit_status.h"

namespace {

constexpr int iconResource = 109;

}  // namespace

int runWindowApp()
{
    // The text page of each build is for whoever watches the terminal or a
    // pipe; line buffering shows it when it happens, not when the window closes.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    VideoSystem video;
    if (video.failure().failed())
        return fatalError(video.failure());

    // The saved position and options must be known before the window exists.
    loadSettings();
    const ScreenPoint corner = startPosition(settingsEntries, video.usableScreenSize());

    AppWindow window;
    if (const StartupFailure failure =
            window.create(windowTitle, {fixedClientWidth, fixedClientHeight}, corner);
        failure.failed())
        return fatalError(failure);
    window.setIcon(loadBitmap(iconResource));
    windowProcedure(window, {WindowMessageKind::create});

    // Stacking and opacity are set while the window is still hidden, so it
    // never shows up in the wrong state.
    window.setAlwaysOnTop(alwaysOnTop);
    window.setOpacity(windowOpacity(translucent));
    window.show();
    windowProcedure(window, {WindowMessageKind::paint});

    window.run([&window](const WindowMessage& message) { windowProcedure(window, message); });
    mainWindow = nullptr;

    if (const std::string error = saveSettings(); !error.empty()) {
        std::fprintf(stderr, "orvelplan: the settings were not saved: %s\n", error.c_str());
        return exitStatus::failure;
    }
    return exitStatus::success;
}
