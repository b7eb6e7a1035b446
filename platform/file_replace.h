#pragma once
#include <string>

// Writing a file in place risks leaving it truncated after a crash or a full
// disk. Instead the new content goes to a temporary file beside the target,
// which then replaces the target in one step.

// A name beside `path` (same folder, so the replacement stays on one file
// system), hidden and unique to this process.
std::string temporaryPathBeside(const std::string& path);

// Flushes the finished `temporary` to disk and puts it in the place of
// `target` in one step that survives a crash (a rename and a flush of the
// folder on Linux, a write-through move on Windows). On failure the temporary
// file is removed and `target` is left as it was. Returns an empty string on
// success, otherwise the reason.
std::string replaceWithTemporary(const std::string& temporary, const std::string& target);

// Replaces `target` with a file holding exactly `content` (bytes as given, no
// line-end translation), through a fresh temporary file as above. Returns an
// empty string on success, otherwise the reason.
std::string replaceFileContent(const std::string& target, const std::string& content);

// Deletes a file if it exists; failures are ignored (for leftovers only).
void removeFile(const std::string& path);
