#pragma once
// The real program (ORVEL_BINARY) started from the POSIX test programs.
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/files.h"

inline const char* programBinary()
{
    return std::getenv("ORVEL_BINARY");
}

// Names and values of environment variables to change; a null value unsets the name.
using EnvironmentChanges = std::vector<std::pair<const char*, const char*>>;

// The program started with `arguments`, standard output and error on the
// descriptors given, `environment` changed first, then `inChild` run in the
// new process (limits, descriptors closed).
inline pid_t spawnProgram(const std::vector<std::string>& arguments, int out, int err,
                          const EnvironmentChanges& environment, const std::function<void()>& inChild = {})
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

// The program started with its data folder `dataHome` (its cache folder in
// there too), standard output on `stdoutFd` and standard error into the file `errPath`.
inline pid_t startProgram(const std::vector<std::string>& arguments, const std::string& dataHome, int stdoutFd,
                          const std::string& errPath)
{
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::string cache = dataHome + "/cache";
    const pid_t pid =
        spawnProgram(arguments, stdoutFd, err, {{"XDG_DATA_HOME", dataHome.c_str()}, {"XDG_CACHE_HOME", cache.c_str()}});
    close(err);
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

struct ProgramRun {
    int status = -1;  // exit status, -1 when it did not exit normally
    std::string out;
    std::string err;
};

// The program run to its end (30 s at most) with `environment` changed and
// `inChild` run before it starts, its two streams and the typefaces it keeps
// caught in `folder`; `whileRunning` is called every 20 ms until it ends.
inline ProgramRun runProgram(const std::vector<std::string>& arguments, const TemporaryFolder& folder,
                             EnvironmentChanges environment, const std::function<void()>& inChild = {},
                             const std::function<void(pid_t)>& whileRunning = {})
{
    const std::string outPath = folder.file("run.out"), errPath = folder.file("run.err"), cache = folder.file("cache");
    environment.insert(environment.begin(), {"XDG_CACHE_HOME", cache.c_str()});
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const pid_t pid = spawnProgram(arguments, out, err, environment, inChild);
    close(out);
    close(err);
    const int status = exitStatus(pid, 30, [&] {
        if (whileRunning)
            whileRunning(pid);
    });
    return {status, readFile(outPath), readFile(errPath)};
}

// The same with its data folder `dataHome`.
inline ProgramRun runProgram(const std::vector<std::string>& arguments, const TemporaryFolder& folder,
                             const std::string& dataHome)
{
    return runProgram(arguments, folder, EnvironmentChanges{{"XDG_DATA_HOME", dataHome.c_str()}});
}

// A watcher for runProgram that sends `signal` once, as soon as `ready(pid)` holds.
inline std::function<void(pid_t)> signalOnceReady(std::function<bool(pid_t)> ready, int signal = SIGTERM)
{
    return [=](pid_t pid) mutable {
        if (ready && ready(pid))
            ready = nullptr, kill(pid, signal);
    };
}

// The tests that run the program: skipped without it, each with a fresh folder.
struct ProgramTest : ::testing::Test {
    void SetUp() override
    {
        if (!programBinary())
            GTEST_SKIP() << "set ORVEL_BINARY to the program";
    }
    TemporaryFolder folder;
};

inline bool runningAsRoot()
{
    return geteuid() == 0;
}

// `check` run in a child process, as nobody when the tests run as root (root
// may write anywhere) after `owned` has been handed to nobody; true when it
// returned true.
inline bool asUnprivilegedUser(const std::vector<std::string>& owned, const std::function<bool()>& check)
{
    const pid_t child = fork();
    if (child == 0) {
        if (runningAsRoot()) {
            for (const std::string& path : owned)
                if (chown(path.c_str(), 65534, 65534) != 0)
                    _exit(3);
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(3);
        }
        _exit(check() ? 0 : 4);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
