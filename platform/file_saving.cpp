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
SavedFile::SavedFile(std::unique_ptr<State> held) : state(std::move(held)) {}
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
    return SavedFile(std::make_unique<SavedFile::State>(
        SavedFile::State{std::move(folder), std::move(name), identity, std::move(claim), std::move(hold)}));
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
struct StagedFile {
    StagedFile(const FileSystem& files, const Folder& into, std::string_view bytes,
               const std::string& keepPermissionsOf)
        : system(files), folder(into)
    {
        static unsigned counter = 0;
        for (int attempt = 0; attempt < 100 && (attempt == 0 || created.error.meaning == Meaning::exists); ++attempt) {
            name = temporaryFileName(system.processId(), counter++);
            created = system.createExclusive(folder, name, keepPermissionsOf);
        }
        error = created.error;
        if (error) {
            if (!created.file.valid())
                name.clear();
            return;
        }
        error = system.writeAll(created.file, bytes, false);
        if (const FileError closed = system.flushAndClose(created.file, !error); !error)
            error = closed;
    }
    ~StagedFile()
    {
        if (!name.empty() && !placed)
            system.remove(folder, name);
    }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Creation failed (as in a folder we may not change); nothing to remove.
    bool notCreated() const { return name.empty(); }
    // The staged file, renamed to `target` in `openFolder` (the folder it is in).
    SavedFile placedAs(Folder& openFolder, const std::string& target, SystemHandle claim)
    {
        placed = true;
        return heldFile(std::move(openFolder), target, created.identity, std::move(claim), std::move(created.hold));
    }

    const FileSystem& system;
    const Folder& folder;
    std::string name;
    CreatedFile created;
    FileError error;
    bool placed = false;
};

std::string writeInto(const FileSystem& system, const std::string& path, const std::string& shownPath,
                      std::string_view bytes, bool regularFile)
{
    FileError error;
    SystemHandle file = system.openForWriting(path, regularFile, error);
    if (!error)
        error = system.writeAll(file, bytes, regularFile);
    if (const FileError closed = system.flushAndClose(file, !error && regularFile); !error)
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
    if (staged.notCreated() && exists && staged.error.meaning == Meaning::denied) {
        // A folder we may not change can still hold a file we may write; it
        // is overwritten in place, room reserved first.
        result.error = writeInto(system, path, shownPath, bytes, true);
        if (result.saved()) {
            SystemHandle claim = system.claimName(folder, name).value_or(SystemHandle());
            result.file = heldFile(std::move(folder), name, std::nullopt, std::move(claim), {});
        }
        return result;
    }
    if (!staged.error)
        error = system.replace(folder, staged.name, name);
    if (staged.error || error)
        result.error = failure(system, shownPath, staged.error ? staged.error : error);
    else
        result.file = staged.placedAs(folder, name, system.claimName(folder, name).value_or(SystemHandle()));
    return result;
}

}  // namespace

SaveResult writeFileAtomically(const FileSystem& system, const std::string& target, std::string_view bytes,
                               SpecialTarget special)
{
    const TargetFacts facts = system.examineTarget(target);
    if (facts.kind == Kind::missing || facts.kind == Kind::regularFile)
        return replaceRegularFile(system, facts.fileToWrite, target, bytes, facts.kind == Kind::regularFile);
    SaveResult result;
    // A FIFO, terminal or device is written into as a program writing to it
    // would: no truncation, no temporary file, no flush.
    if (facts.kind != Kind::other)
        result.error = failure(system, target, facts.error);
    else if (special == SpecialTarget::refuse)
        result.error = "cannot write " + target + ": not a regular file";
    else
        result.error = writeInto(system, target, target, bytes, false);
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
    if (staged.error) {
        result.error = failure(system, candidates.front(), staged.error);
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
            error = system.placeIfAbsent(folder, staged.name, name);
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
                error = system.replace(folder, staged.name, name);
                if (error.meaning == Meaning::denied)
                    break;
                if (error) {
                    result.error = failure(system, candidate, error);
                    return result;
                }
            }
            result.path = candidate;
            result.file = staged.placedAs(folder, name, std::move(*claim));
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
