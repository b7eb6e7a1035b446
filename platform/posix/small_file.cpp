#include "platform/small_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SmallFileRead readSmallFile(const std::string& path, std::size_t limit)
{
    SmallFileRead result;
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            result.outcome = SmallFileRead::Outcome::failed;
            result.error = "cannot read " + path + ": " + std::strerror(errno);
        }
        return result;
    }
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        result.outcome = SmallFileRead::Outcome::notRegular;
        result.error = path + " is not a regular file";
        return result;
    }
    result.content.resize(limit);
    std::size_t done = 0;
    while (done < limit) {
        const ssize_t got = read(fd, result.content.data() + done, limit - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.outcome = SmallFileRead::Outcome::failed;
            result.error = "cannot read " + path + ": " + std::strerror(errno);
            break;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    close(fd);
    result.content.resize(done);
    if (result.error.empty())
        result.outcome = SmallFileRead::Outcome::read;
    return result;
}
