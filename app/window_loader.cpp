#include "app/window_loader.h"

#include "platform/exit_status.h"
#include "platform/module_function.h"

#include <cstdio>

namespace {

constexpr const char* moduleFileName = "orvelplan-window.so";
constexpr const char* entryPointName = "orvelplanRunWindow";

}  // namespace

int launchWindow()
{
    const ModuleFunction entry = functionInProgramModule(moduleFileName, entryPointName);
    if (!entry.address) {
        std::fprintf(stderr, "orvelplan: cannot load the window: %s\n", entry.error.c_str());
        return exitStatus::noWindowModule;
    }
    using EntryPoint = int (*)();
    return reinterpret_cast<EntryPoint>(entry.address)();
}
