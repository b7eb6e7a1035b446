#include "calendar/output_path.h"

#include "platform/output_candidate.h"

std::string chooseOutputPath(const std::string& folder)
{
    std::string candidate;
    if (folder.empty())
        return candidate;
    // An earlier calendar is normally cleared and its name reused; a file that
    // survives the delete (held open by a viewer on Windows, in a folder we may
    // not write on Linux) makes us move on to the next number.
    for (unsigned n = 0; n < 100; ++n) {
        candidate = folder + "orvelplan" + std::to_string(n) + ".pdf";
        if (clearedForWriting(candidate))
            break;
    }
    return candidate;
}
