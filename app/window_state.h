#pragma once
#include "app/version.h"

#include <cstdint>

class WindowHost;

// The client area never changes size: the window has no sizing border.
inline constexpr int fixedClientWidth = 471;
inline constexpr int fixedClientHeight = 417;

// The window the screen lives in; set when the screen is built, never owned.
extern WindowHost* mainWindow;
// The two window options, restored from the settings and toggled by their buttons.
extern bool alwaysOnTop;
extern bool translucent;
// Opacity out of 255 while `translucent` is set.
inline constexpr std::uint8_t translucentAlpha = 190;

inline int windowOpacity(bool isTranslucent)
{
    return isTranslucent ? translucentAlpha : 255;
}

// 1: redraw the whole window at the next timer tick.
extern int repaintRequested;
// Size of every frame, measured when the screen is built.
extern int clientWidth;
extern int clientHeight;
