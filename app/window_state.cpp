#include "app/window_state.h"

WindowHost* mainWindow = nullptr;
bool alwaysOnTop = false;
bool translucent = false;
int repaintRequested = 0;
int clientWidth = 0;
int clientHeight = 0;
