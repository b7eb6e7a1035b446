#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Saving whole files so that a full disk, a killed process or a second copy of
// the program never leaves a damaged file, a lost one, or one copy's file under
// another copy's name. New content is written completely to a temporary file
// in the target's folder, flushed and closed with every result checked, and
// only then put in the target's place in one step. Temporary files are named
// ".orvelplan-PID-N.tmp"; each save removes those of processes that are gone.

// A file this process has just saved. While it is held, other copies of the
// program treat its name as in use and do not reuse it.
class SavedFile {
public:
    SavedFile();
    ~SavedFile();
    SavedFile(SavedFile&&) noexcept;
    SavedFile& operator=(SavedFile&&) noexcept;

    // Lets go of the file; it stays where it is.
    void release();
    // Removes the file again when the name still holds what this process
    // wrote (a file written in place is left alone); then lets go of it.
    void discard();

    struct State;
    explicit SavedFile(std::unique_ptr<State> state);

private:
    std::unique_ptr<State> state;
};

struct SaveResult {
    std::string error;  // empty on success, otherwise one line naming the file and the cause
    SavedFile file;
    bool saved() const { return error.empty(); }
};

// What to do with a target that exists but is neither a regular file nor a folder.
enum class SpecialTarget {
    writeInPlace,  // a FIFO, a terminal or a device gets the bytes written into it
    refuse,        // an error naming the target
};

// Writes `bytes` to `target`. A regular file, also one reached through
// symbolic links (which stay as they are), holds afterwards either its old
// content or all of `bytes`, with its permission bits kept; a folder is
// refused, and so is a file this user may not write (on Linux also one that
// nobody may write, even when root could). When no temporary file can be made
// in the folder but the target is a writable file, the target is overwritten
// in place, which a crash can leave half written.
SaveResult writeFileAtomically(const std::string& target, std::string_view bytes, SpecialTarget special);

// Saves `bytes` under the first of `candidates` (full paths in one folder, in
// order) that is free: one that does not exist, or an earlier file that this
// user may write, that no program holds open as far as the system can tell and
// that no other copy of this program holds. Nothing is deleted before the new file is complete, and two
// copies saving at once always get different names. `path` is empty, with
// `allInUse` set, when every candidate is taken.
struct ClaimResult {
    std::string path;
    std::string error;
    SavedFile file;
    bool allInUse = false;
    bool saved() const { return error.empty() && !allInUse; }
};
ClaimResult claimNewFile(const std::vector<std::string>& candidates, std::string_view bytes);

// Writes all of `bytes` to the process's standard output. Empty on success,
// otherwise the reason.
std::string writeStandardOutput(std::string_view bytes);

// Makes writing to a pipe whose reader is gone fail with an error instead of
// ending the process, so that a failed output can still be cleaned up.
void reportClosedPipesAsErrors();
