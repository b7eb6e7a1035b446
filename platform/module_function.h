#pragma once
#include <string>

// A function exported by the loadable module `fileName` in the executable's
// folder, as an untyped pointer for the caller to cast to its known type. The
// module stays loaded until the process ends. Null, with `error` set, when the
// module or the function cannot be found.
void* functionInModuleBesideExecutable(const char* fileName, const char* functionName, std::string& error);
