#pragma once
#include <string>

// A function exported by the loadable module `fileName`, looked for in the
// executable's folder and then in `installedFolder` (relative to that folder,
// where the install rules put it), as an untyped pointer for the caller to
// cast to its known type. The module stays loaded until the process ends.
// Null, with `error` set, when neither place has the module or the function.
void* functionInModuleBesideExecutable(const char* fileName, const char* installedFolder, const char* functionName,
                                       std::string& error);
