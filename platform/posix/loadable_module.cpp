#include "platform/loadable_module.h"

#include <dlfcn.h>
#include <unistd.h>

std::string executablePath()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

ModuleRun runModuleEntry(const std::string& modulePath, const char* entryPoint)
{
    void* module = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
        return {0, dlerror()};
    using EntryPoint = int (*)();
    const auto run = reinterpret_cast<EntryPoint>(dlsym(module, entryPoint));
    if (!run)
        return {0, dlerror()};
    return {run(), {}};
}
