#include "platform/sdl/mapped_file.h"

#include "platform/posix/descriptor.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

std::shared_ptr<const MappedFile> MappedFile::open(const std::string& path)
{
    // Opened without waiting: a FIFO named as a typeface (a damaged cache)
    // must not hold the program up.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        return nullptr;
    struct stat status {};
    void* bytes = MAP_FAILED;
    // Only a regular file has a size to map; anything else is no typeface.
    // The mapping outlives the descriptor.
    if (fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
        bytes = mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE, file.get(), 0);
    if (bytes == MAP_FAILED)
        return nullptr;
    return std::make_shared<const MappedFile>(bytes, static_cast<std::size_t>(status.st_size));
}

MappedFile::~MappedFile()
{
    munmap(const_cast<void*>(bytes), length);
}
