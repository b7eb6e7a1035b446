#include "app/window_launch.h"

#include "app/window_entry.h"

int launchWindow()
{
    return runWindowApp();
}
