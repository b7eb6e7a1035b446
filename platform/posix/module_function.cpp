#include "platform/module_function.h"

#include "platform/loadable_module.h"

#include <dlfcn.h>
#include <unistd.h>

void* functionInModuleBesideExecutable(const char* fileName, const char* installedFolder, const char* functionName,
                                       std::string& error)
{
    const std::string executable = executablePath();
    const std::string folder = executable.substr(0, executable.rfind('/') + 1);
    const std::string candidates[] = {folder + fileName, folder + installedFolder + "/" + fileName};
    for (const std::string& path : candidates) {
        if (access(path.c_str(), F_OK) != 0)
            continue;
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            error = dlerror();
            return nullptr;
        }
        void* function = dlsym(module, functionName);
        if (!function)
            error = dlerror();
        return function;
    }
    error = "no " + candidates[0] + " or " + candidates[1];
    return nullptr;
}
