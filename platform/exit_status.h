#pragma once

// The process's exit statuses, of the command line and of the window alike;
// the help, the manual page and the README list them.
namespace exitStatus {

inline constexpr int success = 0;  // done; the window: closed with its settings saved
// The calendar, standard output or the window's settings could not be
// written, or the viewer could not be started.
inline constexpr int failure = 1;
inline constexpr int usage = 2;  // bad arguments or an unusable input file; nothing written

// The window's start-up failures where the system gives no error code of its
// own (on Windows the system's code is the status).
inline constexpr int noDisplay = 3;
inline constexpr int noWindow = 4;
inline constexpr int noSurface = 5;
inline constexpr int noWindowModule = 6;  // the window's code cannot be loaded

}  // namespace exitStatus
