#pragma once
// The real program (ORVEL_BINARY) started from the POSIX test programs.
#include <csignal>
#include <functional>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "tests/support/files.h"

inline const char* programBinary()
{
    return std::getenv("ORVEL_BINARY");
}

// Names and values of environment variables to change; a null value unsets the name.
using EnvironmentChanges = std::vector<std::pair<const char*, const char*>>;

// The program started with `arguments`, standard output and error on the
// descriptors given, `environment` changed first.
inline pid_t spawnProgram(const std::vector<std::string>& arguments, int out, int err,
                          const EnvironmentChanges& environment)
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
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// The exit status of a child that ended by itself, -1 for one that was killed
// or still runs after `seconds` (it is killed then); `whileRunning` is called
// every 20 ms until it ends.
inline int exitStatus(pid_t pid, int seconds, const std::function<void()>& whileRunning = {})
{
    int status = 0;
    for (int tick = 0; tick < 50 * seconds; ++tick) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (whileRunning)
            whileRunning();
        usleep(20000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}
