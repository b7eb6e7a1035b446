#include "calendar/output_path.h"

std::vector<std::string> outputPathCandidates(const std::string& folder)
{
    std::vector<std::string> candidates;
    candidates.reserve(100);
    for (unsigned n = 0; n < 100; ++n)
        candidates.push_back(folder + "orvelplan" + std::to_string(n) + ".pdf");
    return candidates;
}

ClaimResult saveUnderFreeOutputPath(const std::string& folder, std::string_view pdf)
{
    ClaimResult result = claimNewFile(outputPathCandidates(folder), pdf);
    if (result.allInUse)
        result.error = "every name from " + folder + "orvelplan0.pdf to orvelplan99.pdf is in use; close the "
                       "viewers that hold them or remove some";
    return result;
}
