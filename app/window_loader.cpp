#include "app/window_loader.h"

#include <cstdio>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace {

constexpr const char* moduleFileName = "orvelplan-window.so";
constexpr const char* entryPointName = "orvelplanRunWindow";
// Beside the window's own start-up failures (3 to 5) and the settings' 0 and 1.
constexpr int noWindowModuleStatus = 6;

std::string executableFolder()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return {};
    const std::string executable(path, static_cast<std::size_t>(length));
    return executable.substr(0, executable.rfind('/') + 1);
}

}  // namespace

int runWindowModule()
{
    const std::string modulePath = executableFolder() + moduleFileName;
    // The module stays loaded until the process ends: the window runs inside it.
    void* module = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        std::fprintf(stderr, "orvelplan: cannot load the window: %s\n", dlerror());
        return noWindowModuleStatus;
    }
    using EntryPoint = int (*)();
    const auto run = reinterpret_cast<EntryPoint>(dlsym(module, entryPointName));
    if (!run) {
        std::fprintf(stderr, "orvelplan: cannot load the window: %s\n", dlerror());
        return noWindowModuleStatus;
    }
    return run();
}
