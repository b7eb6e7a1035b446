#include "platform/posix/memory_headroom.h"

#include <cstddef>
#include <new>
#include <sys/mman.h>

void requireMemoryForLookup()
{
    constexpr std::size_t headroom = 16 * 1024 * 1024;
    // A private writable mapping counts against every limit an allocation
    // would meet (ulimit -v and -d, strict overcommit); it is never touched.
    void* probe = mmap(nullptr, headroom, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (probe == MAP_FAILED)
        throw std::bad_alloc();
    munmap(probe, headroom);
}
