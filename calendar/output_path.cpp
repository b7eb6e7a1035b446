#include "calendar/output_path.h"

#include <fcntl.h>
#include <unistd.h>

std::string chooseOutputPath(const std::string& folder)
{
    std::string candidate;
    if (folder.empty())
        return candidate;
    // An earlier calendar is normally cleared and its name reused; a file that
    // survives the delete (for instance in a folder we may not write) makes us
    // move on to the next number.
    for (unsigned n = 0; n < 100; ++n) {
        candidate = folder + "orvelplan" + std::to_string(n) + ".pdf";
        unlink(candidate.c_str());
        const int fd = open(candidate.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            break;
        close(fd);
    }
    return candidate;
}
