#include "app/window_loader.h"

#include "platform/loadable_module.h"

#include <cstdio>

int launchWindow()
{
    const ModuleRun run = runModuleBesideExecutable("orvelplan-window.so", "orvelplanRunWindow");
    if (!run.error.empty()) {
        std::fprintf(stderr, "orvelplan: cannot load the window: %s\n", run.error.c_str());
        return noWindowCodeStatus;
    }
    return run.status;
}
