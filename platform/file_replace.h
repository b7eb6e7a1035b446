#pragma once
#include <string>

// Writing a file in place risks leaving it truncated after a crash or a full
// disk. Instead the new content goes to a temporary file beside the target,
// which then replaces the target in one rename.

// A name beside `path` (same folder, so the rename stays on one file system),
// hidden and unique to this process.
std::string temporaryPathBeside(const std::string& path);

// Flushes the finished `temporary` to disk, renames it over `target` and
// flushes the folder so the rename itself survives a crash. On failure the
// temporary file is removed and `target` is left as it was. Returns an empty
// string on success, otherwise the reason.
std::string replaceWithTemporary(const std::string& temporary, const std::string& target);
