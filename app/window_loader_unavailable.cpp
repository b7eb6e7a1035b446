#include "app/window_loader.h"

#include "platform/console.h"
#include "platform/exit_status.h"

#include <cstdio>

// For a build whose platform layer has no window yet: the command line works,
// the window is refused with a clear line.
int launchWindow()
{
    connectToParentConsole();
    std::fputs("orvelplan: this build has no window; use the pdf or text command (see --help)\n", stderr);
    return exitStatus::noWindowModule;
}
