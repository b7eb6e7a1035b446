#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_save.h"

// folder + "orvelplan0.pdf" .. "orvelplan99.pdf", in that order. `folder` ends with '/'.
std::vector<std::string> outputPathCandidates(const std::string& folder);

// Saves `pdf` as the first of the candidates whose name is free: one that does
// not exist yet, or an earlier calendar that can go because no program holds
// it open (as far as the system can tell) and no other copy of the program is
// using it. The earlier calendar is replaced only by the complete new file,
// and two copies saving at once never get the same number.
ClaimResult saveUnderFreeOutputPath(const std::string& folder, std::string_view pdf);
