#pragma once
#include <string>

// The first of folder + "orvelplan0.pdf" .. "orvelplan99.pdf" that no longer
// exists after an attempt to delete it; the last one when every candidate
// survives. `folder` ends with a path separator; an empty folder gives an
// empty path.
std::string chooseOutputPath(const std::string& folder);
