#pragma once
// Small helpers the test programs share: whole files read and written, the
// names in a folder, and the real program started.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/calendar/temporary_folder.h"

inline std::string readFile(const std::filesystem::path& path)
{
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

inline void writeFile(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

inline std::set<std::string> namesIn(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

#ifndef _WIN32
#include <unistd.h>

inline const char* programBinary()
{
    return std::getenv("ORVEL_BINARY");
}

// The program (ORVEL_BINARY) started with `arguments`, standard output and
// error on the descriptors given, `environment` changed first (null: unset),
// then `inChild` run in the new process (limits, descriptors closed).
inline pid_t spawnProgram(const std::vector<std::string>& arguments, int out, int err,
                          const std::vector<std::pair<const char*, const char*>>& environment,
                          const std::function<void()>& inChild = {})
{
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        for (const auto& [name, value] : environment)
            value ? setenv(name, value, 1) : unsetenv(name);
        std::vector<char*> argv{const_cast<char*>(programBinary())};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        if (inChild)
            inChild();
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}
#endif
