#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_save.h"

// The file operations that saving (file_save.h) needs from the system. What to
// do with them, in which order and with which messages is decided once in
// file_saving.cpp; each system's folder implements only these operations.

// A system error number (errno, GetLastError), and what it means to saving.
struct FileError {
    enum class Meaning { none, exists, denied, other };  // denied: also held by another program
    Meaning meaning = Meaning::none;
    unsigned long code = 0;
    explicit operator bool() const { return meaning != Meaning::none; }
};

// An open file, folder or claim of the system, closed when it goes.
class SystemHandle {
public:
    static constexpr std::intptr_t none = -1;
    SystemHandle() = default;
    explicit SystemHandle(std::intptr_t value) : value_(value) {}
    ~SystemHandle() { reset(); }
    SystemHandle(SystemHandle&& other) noexcept : value_(std::exchange(other.value_, none)) {}
    SystemHandle& operator=(SystemHandle&& other) noexcept
    {
        if (this != &other) {
            reset();
            value_ = std::exchange(other.value_, none);
        }
        return *this;
    }
    bool valid() const { return value_ != none; }
    std::intptr_t get() const { return value_; }
    std::intptr_t take() { return std::exchange(value_, none); }
    void reset();

private:
    std::intptr_t value_ = none;
};

// The folder a file is saved in: its path as the system names files in it,
// and, where the system can, the folder itself held open, so that every step
// of one save happens in the same folder.
struct Folder {
    std::string path;
    SystemHandle handle;
};

// Which file a name holds, to tell later whether it still holds the same one.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};

// A path to write to, as the system sees it.
struct TargetFacts {
    // refused: a folder, a write-protected file, a path that cannot be looked at
    enum class Kind { missing, regularFile, other, refused };
    Kind kind = Kind::missing;
    FileError error;          // refused: the reason to give
    std::string fileToWrite;  // missing, regularFile: the file to replace, where links lead
};

// A file created under a fresh name: `file` to write it, `hold` kept open
// while the file is ours (where the system marks a live writer that way).
struct CreatedFile {
    SystemHandle file;
    SystemHandle hold;
    FileIdentity identity;
    FileError error;
};

// An existing file under a name that may be reused.
struct ExistingFile {
    // taken: not a regular file, or held by another copy of the program
    enum class State { gone, taken, open };
    State state = State::gone;
    SystemHandle lock;  // held until the name is reused, where copies claim files by locks
    FileIdentity identity;
    bool writable = false;
};

enum class InUse { no, yes, cannotTell };

// Every operation is virtual so that a test can take one feature of the
// system away (as a file system without leases) and see saving still hold.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual TargetFacts examineTarget(const std::string& path) const;
    // The folder of `filePath`, and the file's name in it.
    virtual Folder openFolderOf(const std::string& filePath, std::string& name, FileError& error) const;
    virtual std::vector<std::string> listFolder(const Folder& folder) const;
    virtual std::uint64_t processId() const;
    virtual bool processGone(std::uint64_t processId) const;
    // Removes a temporary file unless a live writer still holds it.
    virtual void removeLeftover(const Folder& folder, const std::string& name) const;

    // Creates `name` only if it does not exist, with the permissions and
    // owner of `keepPermissionsOf` when that is not empty.
    virtual CreatedFile createExclusive(const Folder& folder, const std::string& name,
                                        const std::string& keepPermissionsOf) const;
    // An existing file, FIFO or device opened for writing without truncating it.
    virtual SystemHandle openForWriting(const std::string& path, bool regularFile, FileError& error) const;
    // With `wholeFile`, room is reserved first so that a full disk is found
    // before anything changes, and the file ends after `bytes`.
    virtual FileError writeAll(const SystemHandle& file, std::string_view bytes, bool wholeFile) const;
    // Flushes the file to disk when asked, then closes it; a delayed write
    // error can show up only here.
    virtual FileError flushAndClose(SystemHandle& file, bool flush) const;

    // Puts file `from` in the place of `to` in one step, replacing what was
    // there; both are in `folder`. Done also on disk when it returns.
    virtual FileError replace(const Folder& folder, const std::string& from, const std::string& to) const;
    // The same, but only when nothing has the name `to` (exists otherwise).
    virtual FileError placeIfAbsent(const Folder& folder, const std::string& from, const std::string& to) const;
    virtual std::optional<FileIdentity> identity(const Folder& folder, const std::string& name) const;
    virtual void remove(const Folder& folder, const std::string& name) const;

    // The claim of this copy of the program on a name, or nothing when
    // another copy holds it; an empty handle where copies claim files by
    // locks on the files themselves (createExclusive, openExisting).
    virtual std::optional<SystemHandle> claimName(const Folder& folder, const std::string& name) const;
    virtual ExistingFile openExisting(const Folder& folder, const std::string& name) const;
    // Whether any process has the file open, as far as the system can tell.
    virtual InUse probeInUse(const Folder& folder, const std::string& name, const ExistingFile& file) const;

    virtual std::string errorText(const FileError& error) const;
};

// The saving of file_save.h with the operations of `system`.
SaveResult writeFileAtomically(const FileSystem& system, const std::string& target, std::string_view bytes,
                               SpecialTarget special);
ClaimResult claimNewFile(const FileSystem& system, const std::vector<std::string>& candidates, std::string_view bytes);
