#include "platform/scratch_file.h"

#include "platform/scratch_file_system.h"
#include "platform/temporary_file_name.h"

#include <atomic>
#include <cstdio>
#include <utility>

namespace {

// A name can be taken by a file another run left behind; a few more numbers
// are tried before giving up.
constexpr int namesTried = 16;

// Whether fopen opens `path` as the file just written, as the library will.
bool opensAsWritten(const std::string& path, std::size_t size)
{
    std::FILE* opened = std::fopen(path.c_str(), "rb");
    if (!opened)
        return false;
    const bool same = std::fseek(opened, 0, SEEK_END) == 0 && std::ftell(opened) == static_cast<long>(size);
    std::fclose(opened);
    return same;
}

}  // namespace

ScratchFile ScratchFile::holding(std::string_view bytes)
{
    static std::atomic<unsigned> counter{0};
    const FileSystem system{};
    for (int attempt = 0; attempt < namesTried; ++attempt) {
        NewScratchFile made = createScratchFile(temporaryFileName(system.processId(), counter++));
        if (made.labelTaken)
            continue;
        ScratchFile scratch;
        scratch.file = std::move(made.file);
        scratch.name = std::move(made.path);
        if (!scratch.held() || system.writeAll(scratch.file, bytes, false) ||
            !opensAsWritten(scratch.name, bytes.size()))
            return {};
        return scratch;
    }
    return {};
}

ScratchFile::~ScratchFile()
{
    release();
}

ScratchFile::ScratchFile(ScratchFile&& other) noexcept
    : file(std::move(other.file)), name(std::exchange(other.name, {}))
{
}

ScratchFile& ScratchFile::operator=(ScratchFile&& other) noexcept
{
    if (this != &other) {
        release();
        file = std::move(other.file);
        name = std::exchange(other.name, {});
    }
    return *this;
}

void ScratchFile::release()
{
    if (!file.valid())
        return;
    file.reset();
    removeScratchFileName(name);
    name.clear();
}
