// Scratch files on Linux: anonymous files in memory, opened by the name
// /proc gives their descriptor. They vanish with the last descriptor, so
// nothing is ever left behind, whatever ends the program.
#include "platform/scratch_file_system.h"

#include <sys/mman.h>

NewScratchFile createScratchFile(const std::string& label)
{
    NewScratchFile made;
    const int fd = memfd_create(label.c_str(), MFD_CLOEXEC);
    if (fd < 0)
        return made;
    made.file = SystemHandle(fd);
    made.path = "/proc/self/fd/" + std::to_string(fd);
    return made;
}

void removeScratchFileName(const std::string&) {}
