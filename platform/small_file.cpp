#include "platform/small_file.h"

#include "platform/small_file_system.h"

SmallFileRead readSmallFile(const std::string& path, std::size_t limit)
{
    SmallFileRead result;
    ReadOnlyFile file(path);
    switch (file.found()) {
    case ReadOnlyFile::Found::nothing:
        return result;
    case ReadOnlyFile::Found::failure:
        result.outcome = SmallFileRead::Outcome::failed;
        result.error = "cannot read " + path + ": " + file.error();
        return result;
    case ReadOnlyFile::Found::somethingElse:
        result.outcome = SmallFileRead::Outcome::notRegular;
        result.error = path + " is not a regular file";
        return result;
    case ReadOnlyFile::Found::regularFile:
        break;
    }
    result.content.resize(limit);
    std::size_t done = 0;
    while (done < limit) {
        const std::ptrdiff_t got = file.read(result.content.data() + done, limit - done);
        if (got < 0) {
            result.outcome = SmallFileRead::Outcome::failed;
            result.error = "cannot read " + path + ": " + file.error();
            result.content.clear();
            return result;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    result.content.resize(done);
    result.outcome = SmallFileRead::Outcome::read;
    return result;
}
