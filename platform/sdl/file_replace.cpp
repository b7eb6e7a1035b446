#include "platform/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::size_t nameStart(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

bool syncPath(const std::string& path, int flags)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0)
        return false;
    const bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

std::string failure(const char* what, const std::string& path, int error)
{
    return std::string(what) + " " + path + ": " + std::strerror(error);
}

bool writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

}  // namespace

std::string temporaryPathBeside(const std::string& path)
{
    const std::size_t start = nameStart(path);
    return path.substr(0, start) + "." + path.substr(start) + "." + std::to_string(getpid()) + ".tmp";
}

std::string replaceWithTemporary(const std::string& temporary, const std::string& target)
{
    if (!syncPath(temporary, 0) || std::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        return failure("cannot write", target, error);
    }
    // The content is safe by now; a folder that cannot be flushed only risks
    // the rename being forgotten by a crash.
    const std::size_t start = nameStart(target);
    syncPath(start == 0 ? std::string(".") : target.substr(0, start), O_DIRECTORY);
    return {};
}

std::string replaceFileContent(const std::string& target, const std::string& content)
{
    const std::string temporary = temporaryPathBeside(target);
    unlink(temporary.c_str());  // a leftover of a crashed run with the same process id
    // Close-on-exec: a launcher started meanwhile must not inherit the file.
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return failure("cannot create", temporary, errno);
    const bool written = writeAll(fd, content);
    const int error = errno;
    if (close(fd) != 0 || !written) {
        const std::string reason = failure("cannot write", temporary, written ? errno : error);
        unlink(temporary.c_str());
        return reason;
    }
    return replaceWithTemporary(temporary, target);
}

void removeFile(const std::string& path)
{
    unlink(path.c_str());
}
