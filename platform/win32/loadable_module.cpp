#include "platform/loadable_module.h"

#include "platform/win32/system_error.h"

#include <windows.h>

std::string executableFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return {};
    const std::string executable(path, length);
    return executable.substr(0, executable.find_last_of("\\/") + 1);
}

// The full path keeps LoadLibrary from searching the system's folders for a
// module of that name.
ModuleSymbol moduleSymbol(const std::string& path, const char* functionName)
{
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return {};
    const HMODULE module = LoadLibraryA(path.c_str());
    if (!module)
        return {ModuleSymbol::Outcome::failed, nullptr, path + ": " + systemErrorText(GetLastError())};
    const FARPROC function = GetProcAddress(module, functionName);
    if (!function)
        return {ModuleSymbol::Outcome::failed, nullptr, path + ": no " + functionName};
    return {ModuleSymbol::Outcome::found, reinterpret_cast<void*>(function), {}};
}
