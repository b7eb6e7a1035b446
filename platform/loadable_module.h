#pragma once
#include <string>

// The absolute path of the running executable; empty when it cannot be found.
std::string executablePath();

// Result of running an entry point from a loadable module.
struct ModuleRun {
    int status = 0;     // what the entry point returned
    std::string error;  // empty when the entry point ran
};

// Loads the shared module at `modulePath` and calls its `int entryPoint()`.
// The module stays loaded until the process ends, since whatever the entry
// point started lives in it.
ModuleRun runModuleEntry(const std::string& modulePath, const char* entryPoint);
