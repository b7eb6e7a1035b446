#pragma once
#include "app/settings_file.h"
#include "platform/window_host.h"

// Where the window's outer top-left corner goes at start: the saved corner,
// each coordinate replaced by 2 when it lies outside 0 .. the usable screen's
// width (or height), so a window saved on a larger or another screen, or
// partly past its left edge, opens where it can be seen.
ScreenPoint startPosition(const SettingsEntries& entries, ClientSize usableScreen);
