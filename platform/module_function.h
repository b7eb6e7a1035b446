#pragma once
#include <string>
#include <string_view>
#include <vector>

// Where the program's module `fileName` may be, in the order tried, for the
// executable in `folderOfExecutable` (ending in its path separator): beside it
// (the build tree; the Windows program keeps its modules there), then in
// `installedFolder`, a '/'-separated path relative to it where the install
// rules put modules (../lib/orvelplan), so that an installed tree works
// wherever it is copied. Nothing when the executable's folder is unknown.
std::vector<std::string> programModuleCandidates(const std::string& folderOfExecutable,
                                                 std::string_view installedFolder, std::string_view fileName);

// A function exported by the program's module `fileName`, from the first of
// those places that has the file, as an untyped pointer for the caller to cast
// to its known type. The module stays loaded until the process ends.
struct ModuleFunction {
    void* address = nullptr;
    std::string error;  // when there is no address: why, naming the places tried
};
ModuleFunction functionInProgramModule(std::string_view fileName, const char* functionName);
