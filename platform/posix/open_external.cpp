#include "platform/open_external.h"

#include "platform/posix/descriptor.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char* launcher = "xdg-open";

// Runs in the forked child, so only async-signal-safe calls are made here.
[[noreturn]] void launchDetached(char* const argv[], int errorPipe)
{
    setsid();
    const pid_t grandchild = fork();
    if (grandchild == 0) {
        execvp(launcher, argv);
        const int error = errno;
        (void)!write(errorPipe, &error, sizeof error);
        _exit(127);
    }
    if (grandchild < 0) {
        const int error = errno;
        (void)!write(errorPipe, &error, sizeof error);
    }
    _exit(0);
}

}  // namespace

std::string openWithDefaultApplication(const std::string& pathOrLink)
{
    // A relative path that starts with '-' would read as an option to the launcher.
    std::string target = pathOrLink;
    if (!target.empty() && target.front() == '-')
        target.insert(0, "./");

    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return std::string("cannot start ") + launcher + ": " + std::strerror(errno);
    Descriptor errorReader(pipeEnds[0]);
    Descriptor errorWriter(pipeEnds[1]);

    std::string program = launcher;
    char* const argv[] = {program.data(), target.data(), nullptr};
    const pid_t child = fork();
    if (child == 0)
        launchDetached(argv, errorWriter.get());
    const int forkError = errno;
    errorWriter.reset();
    if (child < 0)
        return std::string("cannot start ") + launcher + ": " + std::strerror(forkError);

    // The intermediate child exits at once; reaping it leaves the launcher
    // orphaned to init, which reaps it in turn.
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes without data when exec succeeds (close-on-exec), or
    // carries the errno of the failed fork or exec.
    int error = 0;
    ssize_t got;
    while ((got = read(errorReader.get(), &error, sizeof error)) < 0 && errno == EINTR) {
    }
    if (got == static_cast<ssize_t>(sizeof error))
        return std::string("cannot start ") + launcher + ": " + std::strerror(error);
    return {};
}
