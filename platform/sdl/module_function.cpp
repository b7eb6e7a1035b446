#include "platform/module_function.h"

#include <dlfcn.h>
#include <unistd.h>

namespace {

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

void* functionInModuleBesideExecutable(const char* fileName, const char* functionName, std::string& error)
{
    const std::string modulePath = executableFolder() + fileName;
    void* module = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        error = dlerror();
        return nullptr;
    }
    void* function = dlsym(module, functionName);
    if (!function)
        error = dlerror();
    return function;
}
