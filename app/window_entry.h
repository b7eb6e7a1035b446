#pragma once

// Runs the main window until it is closed; returns the process exit status.
int runWindowApp();
