// Entry point of the window module that the executable loads on demand.
#include "app/window_entry.h"

extern "C" __attribute__((visibility("default"))) int orvelplanRunWindow()
{
    return runWindowApp();
}
