// libFuzzer target for the marks reader: every input is read as an .ics file
// for a page of 2026 or of 9999 (by the input's length), as `--marks` would.
#include "calendar/marks_module.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

void countDay(void* context, long long)
{
    ++*static_cast<long long*>(context);
}

// The input goes to a file in the working folder, one for each run of the
// fuzzer, removed when the run ends.
const std::string inputPath = "marks-fuzz-input-" + std::to_string(getpid()) + ".ics";
[[maybe_unused]] const int removedAtExit = std::atexit([] { std::remove(inputPath.c_str()); });

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(inputPath.c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
        std::abort();
    // Days from 1970-01-01: 2026-01-01..2026-12-31, or 9999-01-01..9999-12-31.
    const bool last = size % 2;
    long long days = 0;
    char error[512] = {};
    const int status = orvelplanReadMarks(inputPath.c_str(), last ? 2932532 : 20454, last ? 2932896 : 20818,
                                          countDay, &days, error, sizeof error);
    // A refused file says why in one line; a read one marks at most its page's days.
    if ((status != 0) != (error[0] != 0) || std::string(error).find('\n') != std::string::npos || days < 0)
        std::abort();
    return 0;
}
