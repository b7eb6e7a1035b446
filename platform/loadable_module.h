#pragma once
#include <string>

// Result of running an entry point from a module beside the executable.
struct ModuleRun {
    int status = 0;     // what the entry point returned
    std::string error;  // empty when the entry point ran
};

// Loads the shared module `fileName` from the executable's folder and calls its
// `int entryPoint()`. The module stays loaded until the process ends, since
// whatever the entry point started lives in it.
ModuleRun runModuleBesideExecutable(const char* fileName, const char* entryPoint);
