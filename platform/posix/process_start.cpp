#include "platform/process_start.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

void prepareProcess()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lower descriptors are taken by now, so open() hands out `fd`
        // itself; dup2 covers a failed open of a lower one.
        const int opened = open("/dev/null", (fd == STDIN_FILENO ? O_WRONLY : O_RDONLY) | O_NOCTTY);
        if (opened >= 0 && opened != fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
    std::signal(SIGXFSZ, SIG_IGN);
}
