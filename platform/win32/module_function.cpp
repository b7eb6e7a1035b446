#include "platform/module_function.h"

#include "platform/win32/system_error.h"

#include <windows.h>

namespace {

std::string executableFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return {};
    const std::string executable(path, length);
    return executable.substr(0, executable.find_last_of("\\/") + 1);
}

}  // namespace

// The Windows program keeps its modules in its own folder, installed or not,
// so `installedFolder` (a Unix layout) is not searched. The full path keeps
// LoadLibrary from searching the system's folders for a module of that name.
void* functionInModuleBesideExecutable(const char* fileName, const char* /*installedFolder*/,
                                       const char* functionName, std::string& error)
{
    const std::string path = executableFolder() + fileName;
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        error = "no " + path;
        return nullptr;
    }
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) {
        error = path + ": " + systemErrorText(GetLastError());
        return nullptr;
    }
    FARPROC function = GetProcAddress(module, functionName);
    if (!function)
        error = path + ": no " + functionName;
    return reinterpret_cast<void*>(function);
}
