// Saving whole files, the same way on every system: the file system's own
// operations come from FileSystem (file_system.h).
#include "platform/file_save.h"
#include "platform/file_system.h"
#include "platform/temporary_file_name.h"

using Kind = TargetFacts::Kind;
using Meaning = FileError::Meaning;

struct SavedFile::State {
    Folder folder;
    std::string name;
    std::optional<FileIdentity> identity;  // what this process put there; none for a file written in place
    SystemHandle claim;                    // the name, among copies of the program
    SystemHandle hold;                     // the file, among copies of the program
};

SavedFile::SavedFile() = default;
SavedFile::SavedFile(std::unique_ptr<State> state) : state(std::move(state)) {}
SavedFile::~SavedFile() = default;
SavedFile::SavedFile(SavedFile&&) noexcept = default;
SavedFile& SavedFile::operator=(SavedFile&&) noexcept = default;

void SavedFile::release()
{
    state.reset();
}

void SavedFile::discard()
{
    // The name may hold another file by now (another program saved over it):
    // that one is not ours to remove.
    const FileSystem system;
    if (state && state->identity && system.identity(state->folder, state->name) == state->identity)
        system.remove(state->folder, state->name);
    release();
}

namespace {

std::string failure(const FileSystem& system, const std::string& path, const FileError& error)
{
    return "cannot write " + path + ": " + system.errorText(error);
}

SavedFile heldFile(Folder folder, std::string name, std::optional<FileIdentity> identity, SystemHandle claim,
                   SystemHandle hold)
{
    auto state = std::make_unique<SavedFile::State>();
    state->folder = std::move(folder);
    state->name = std::move(name);
    state->identity = identity;
    state->claim = std::move(claim);
    state->hold = std::move(hold);
    return SavedFile(std::move(state));
}

// Temporary files of runs that were killed before they finished: those of
// processes that are gone, and that no live writer holds (a process in
// another namespace, or one that got a gone process's number).
void removeAbandonedTemporaryFiles(const FileSystem& system, const Folder& folder)
{
    for (const std::string& name : system.listFolder(folder)) {
        const std::uint64_t owner = temporaryFileOwner(name);
        if (owner != 0 && owner != system.processId() && system.processGone(owner))
            system.removeLeftover(folder, name);
    }
}

// A complete copy of the new content under a temporary name, flushed and
// closed. Removed again unless it was put in place.
class StagedFile {
public:
    StagedFile(const FileSystem& system, const Folder& folder, std::string_view bytes,
               const std::string& keepPermissionsOf)
        : system_(system), folder_(folder)
    {
        static unsigned counter = 0;
        CreatedFile created;
        for (int attempt = 0; attempt < 100; ++attempt) {
            name_ = temporaryFileName(system.processId(), counter++);
            created = system.createExclusive(folder, name_, keepPermissionsOf);
            if (created.error.meaning != Meaning::exists)
                break;
        }
        if (created.error) {
            error_ = created.error;
            name_.clear();
            return;
        }
        hold_ = std::move(created.hold);
        identity_ = created.identity;
        error_ = system.writeAll(created.file, bytes, false);
        if (!error_)
            error_ = system.flush(created.file);
        if (const FileError closed = system.close(created.file); !error_)
            error_ = closed;
    }
    ~StagedFile()
    {
        if (!name_.empty() && !placed_)
            system_.remove(folder_, name_);
    }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    const FileError& error() const { return error_; }
    // Creation failed before anything was written (as in a folder we may not change).
    bool notCreated() const { return name_.empty(); }
    const std::string& name() const { return name_; }
    const FileIdentity& identity() const { return identity_; }
    SystemHandle markPlaced()
    {
        placed_ = true;
        return std::move(hold_);
    }

private:
    const FileSystem& system_;
    const Folder& folder_;
    std::string name_;
    SystemHandle hold_;
    FileIdentity identity_;
    FileError error_;
    bool placed_ = false;
};

std::string writeInto(const FileSystem& system, const std::string& path, const std::string& shownPath,
                      std::string_view bytes, bool regularFile)
{
    FileError error;
    SystemHandle file = system.openForWriting(path, regularFile, error);
    if (!error)
        error = system.writeAll(file, bytes, regularFile);
    if (!error && regularFile)
        error = system.flush(file);
    if (const FileError closed = system.close(file); !error)
        error = closed;
    return error ? failure(system, shownPath, error) : std::string();
}

SaveResult replaceRegularFile(const FileSystem& system, const std::string& path, const std::string& shownPath,
                              std::string_view bytes, bool exists)
{
    SaveResult result;
    std::string name;
    FileError error;
    Folder folder = system.openFolderOf(path, name, error);
    if (error) {
        result.error = failure(system, shownPath, error);
        return result;
    }
    removeAbandonedTemporaryFiles(system, folder);
    StagedFile staged(system, folder, bytes, exists ? path : std::string());
    if (staged.notCreated() && exists && staged.error().meaning == Meaning::denied) {
        // A folder we may not change can still hold a file we may write; it
        // is overwritten in place, room reserved first.
        result.error = writeInto(system, path, shownPath, bytes, true);
        if (result.saved()) {
            SystemHandle claim = system.claimName(folder, name).value_or(SystemHandle());
            result.file = heldFile(std::move(folder), name, std::nullopt, std::move(claim), {});
        }
        return result;
    }
    if (!staged.error())
        error = system.replace(folder, staged.name(), name);
    if (staged.error() || error) {
        result.error = failure(system, shownPath, staged.error() ? staged.error() : error);
        return result;
    }
    SystemHandle hold = staged.markPlaced();
    SystemHandle claim = system.claimName(folder, name).value_or(SystemHandle());
    result.file = heldFile(std::move(folder), name, staged.identity(), std::move(claim), std::move(hold));
    return result;
}

}  // namespace

SaveResult writeFileAtomically(const FileSystem& system, const std::string& target, std::string_view bytes,
                               SpecialTarget special)
{
    SaveResult result;
    const TargetFacts facts = system.examineTarget(target);
    switch (facts.kind) {
    case Kind::missing:
    case Kind::regularFile:
        return replaceRegularFile(system, facts.fileToWrite, target, bytes, facts.kind == Kind::regularFile);
    case Kind::other:
        // A FIFO, terminal or device is written into as a program writing to
        // it would: no truncation, no temporary file, no flush.
        if (special == SpecialTarget::refuse)
            result.error = "cannot write " + target + ": not a regular file";
        else
            result.error = writeInto(system, target, target, bytes, false);
        return result;
    case Kind::writeProtected:
    case Kind::folder:
    case Kind::unknown:
        break;
    }
    result.error = failure(system, target, facts.error);
    return result;
}

SaveResult writeFileAtomically(const std::string& target, std::string_view bytes, SpecialTarget special)
{
    return writeFileAtomically(FileSystem(), target, bytes, special);
}

ClaimResult claimNewFile(const FileSystem& system, const std::vector<std::string>& candidates, std::string_view bytes)
{
    ClaimResult result;
    if (candidates.empty()) {
        result.allInUse = true;
        return result;
    }
    std::string firstName;
    FileError error;
    Folder folder = system.openFolderOf(candidates.front(), firstName, error);
    if (error) {
        result.error = failure(system, candidates.front(), error);
        return result;
    }
    const std::size_t folderLength = candidates.front().size() - firstName.size();
    removeAbandonedTemporaryFiles(system, folder);
    StagedFile staged(system, folder, bytes, {});
    if (staged.error()) {
        result.error = failure(system, candidates.front(), staged.error());
        return result;
    }
    for (const std::string& candidate : candidates) {
        const std::string name = candidate.substr(folderLength);
        // A free name is taken as it is. An earlier file is replaced only when
        // it is a regular file this user may write, no other copy of the
        // program holds it and no process has it open; otherwise the name is
        // passed over. A name that changes meanwhile is looked at again.
        for (int attempt = 0; attempt < 10; ++attempt) {
            std::optional<SystemHandle> claim = system.claimName(folder, name);
            if (!claim)
                break;
            error = system.placeIfAbsent(folder, staged.name(), name);
            if (error && error.meaning != Meaning::exists) {
                result.error = failure(system, candidate, error);
                return result;
            }
            if (error) {
                const ExistingFile existing = system.openExisting(folder, name);
                if (existing.state == ExistingFile::State::gone)
                    continue;
                if (existing.state != ExistingFile::State::open || !existing.writable ||
                    system.probeInUse(folder, name, existing) == InUse::yes)
                    break;
                if (system.identity(folder, name) != existing.identity)
                    continue;
                error = system.replace(folder, staged.name(), name);
                if (error.meaning == Meaning::denied || error.meaning == Meaning::busy)
                    break;
                if (error) {
                    result.error = failure(system, candidate, error);
                    return result;
                }
            }
            SystemHandle hold = staged.markPlaced();
            result.path = candidate;
            result.file = heldFile(std::move(folder), name, staged.identity(), std::move(*claim), std::move(hold));
            return result;
        }
    }
    result.allInUse = true;
    return result;
}

ClaimResult claimNewFile(const std::vector<std::string>& candidates, std::string_view bytes)
{
    return claimNewFile(FileSystem(), candidates, bytes);
}
