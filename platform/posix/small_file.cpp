#include "platform/small_file_system.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

ReadOnlyFile::ReadOnlyFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            kind = Found::failure;
            reason = std::strerror(errno);
        }
        return;
    }
    handle = fd;
    struct stat status;
    kind = fstat(fd, &status) == 0 && S_ISREG(status.st_mode) ? Found::regularFile : Found::somethingElse;
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (handle >= 0)
        close(static_cast<int>(handle));
}

std::ptrdiff_t ReadOnlyFile::read(char* into, std::size_t size)
{
    ssize_t got;
    while ((got = ::read(static_cast<int>(handle), into, size)) < 0 && errno == EINTR) {
    }
    if (got < 0)
        reason = std::strerror(errno);
    return got;
}
