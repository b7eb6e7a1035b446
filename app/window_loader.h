#pragma once

// Opens the main window and runs it until it is closed; returns the process
// exit status. How the window code is reached depends on the system: on Linux
// it is a module, loaded only when the window is asked for, so that the
// command line starts without the display libraries (SDL, fonts, X11); on
// Windows it is linked into the one executable.
int launchWindow();

// Exit status when the window code cannot be reached; beside the window's own
// start-up failures (3 to 5) and the settings' 0 and 1.
inline constexpr int noWindowCodeStatus = 6;
