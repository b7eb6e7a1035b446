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
        return "cannot write " + target + ": " + std::strerror(error);
    }
    // The content is safe by now; a folder that cannot be flushed only risks
    // the rename being forgotten by a crash.
    const std::size_t start = nameStart(target);
    syncPath(start == 0 ? std::string(".") : target.substr(0, start), O_DIRECTORY);
    return {};
}
