#include "platform/output_candidate.h"

#include <fcntl.h>
#include <unistd.h>

bool clearedForWriting(const std::string& path)
{
    unlink(path.c_str());
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    close(fd);
    return false;
}
