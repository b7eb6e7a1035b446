#pragma once
#include <array>

#include "platform/window_messages.h"
#include "skin/scob_group.h"

class WindowHost;

// Five screens' worth of control groups; the first `groupsInUse` are painted
// and scanned for changes. The main screen lives in group 0.
inline constexpr int groupTableSize = 5;
extern std::array<scobGroup, groupTableSize> groupTable;
extern int groupsInUse;

// The change-scan timer: asked for every millisecond, delivered at the
// window's shortest period, and running only while input may have changed a
// control (the tick that finds everything drawn stops it).
inline constexpr unsigned screenTimerId = 111;
inline constexpr int screenTimerPeriod = 1;

// Handles one message of the main window. Returns false for the messages the
// program leaves to the window's default handling.
bool windowProcedure(WindowHost& window, const WindowMessage& message);

// Draws a complete frame of every active group off screen and hands it to the
// window in one piece, so no half-drawn state is ever seen.
void composeFrame(WindowHost& target);
