#pragma once

// Opens the main window and runs it until it is closed; returns the process
// exit status, exitStatus::noWindowModule when the window code cannot be
// reached. How the window code is reached depends on the system: on Linux
// it is a module, loaded only when the window is asked for, so that the
// command line starts without the display libraries (SDL, fonts, X11); on
// Windows it is linked into the one executable.
int launchWindow();

