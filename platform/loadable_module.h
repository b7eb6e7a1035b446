#pragma once
#include <string>

// What each system provides for loading the program's own modules; where they
// are looked for is decided once, in module_function.cpp.

// The folder of the running executable, ending in the system's path
// separator; empty when it cannot be found.
std::string executableFolder();

// A function exported by the module file at `path`. The module stays loaded
// until the process ends, since whatever the function starts lives in it. Its
// symbols are bound when first called, so loading resolves only what is used.
struct ModuleSymbol {
    enum class Outcome { found, noFile, failed };
    Outcome outcome = Outcome::noFile;
    void* address = nullptr;  // when found
    std::string error;        // when failed: the system's reason, naming the file
};
ModuleSymbol moduleSymbol(const std::string& path, const char* functionName);
