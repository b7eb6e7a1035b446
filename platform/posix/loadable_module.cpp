#include "platform/loadable_module.h"

#include <dlfcn.h>
#include <unistd.h>

std::string executableFolder()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return {};
    const std::string executable(path, static_cast<std::size_t>(length));
    return executable.substr(0, executable.rfind('/') + 1);
}

ModuleSymbol moduleSymbol(const std::string& path, const char* functionName)
{
    if (access(path.c_str(), F_OK) != 0)
        return {};
    // Bound lazily: binding at once would look up every symbol the module and
    // its libraries refer to before it starts, though a start calls only a
    // small part of them.
    void* module = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!module)
        return {ModuleSymbol::Outcome::failed, nullptr, dlerror()};
    void* function = dlsym(module, functionName);
    if (!function)
        return {ModuleSymbol::Outcome::failed, nullptr, dlerror()};
    return {ModuleSymbol::Outcome::found, function, {}};
}
