#pragma once
#include <cstdint>

class WindowHost;

inline constexpr const char* windowTitle = "Orvel Planner 1.1";
// Carried by the website links so the publisher can tell which release asks.
inline constexpr const char* versionTag = "opl11u";

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
