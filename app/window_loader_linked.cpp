#include "app/window_loader.h"

#include "app/window_entry.h"

int launchWindow()
{
    return runWindowApp();
}
