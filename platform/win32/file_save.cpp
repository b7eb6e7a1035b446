#include "platform/file_save.h"
#include "platform/temporary_file_name.h"

#include "platform/win32/system_error.h"

#include <algorithm>
#include <cstdint>

#include <windows.h>

namespace {


std::string failure(const std::string& path, DWORD error)
{
    return "cannot write " + path + ": " + systemErrorText(error);
}

class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~Handle() { reset(); }
    Handle(Handle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    Handle& operator=(Handle&& other) noexcept
    {
        if (this != &other) {
            reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != nullptr; }
    void reset()
    {
        if (handle_)
            CloseHandle(handle_);
        handle_ = nullptr;
    }
    // Closes and reports the result, so that no failure of the last step goes unseen.
    bool closeChecked()
    {
        const HANDLE handle = handle_;
        handle_ = nullptr;
        return CloseHandle(handle) != 0;
    }

private:
    HANDLE handle_ = nullptr;
};

bool writeAll(HANDLE file, std::string_view bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        DWORD wrote = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (!WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr))
            return false;
        if (wrote == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        done += wrote;
    }
    return true;
}

std::size_t nameStart(const std::string& path)
{
    const std::size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? 0 : separator + 1;
}

std::string folderOf(const std::string& path)
{
    return path.substr(0, nameStart(path));
}


bool processIsGone(DWORD pid)
{
    const Handle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
    if (!process.valid())
        return GetLastError() == ERROR_INVALID_PARAMETER;
    return WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
}

// Temporary files of runs that were killed before they finished. A live
// writer keeps its file open without delete sharing, so even a file whose
// number was reused by another process cannot be removed under it.
void removeAbandonedTemporaryFiles(const std::string& folder)
{
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder + std::string(temporaryFilePrefix) + "*" + std::string(temporaryFileSuffix)).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::uint64_t id = temporaryFileOwner(found.cFileName);
        const DWORD owner = id <= 0xFFFFFFFFu ? static_cast<DWORD>(id) : 0;
        if (owner != 0 && owner != GetCurrentProcessId() && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            processIsGone(owner))
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Which file a name holds, to tell later whether it still holds ours.
struct FileIdentity {
    DWORD volume = 0;
    DWORD high = 0;
    DWORD low = 0;
    bool known = false;
    bool operator==(const FileIdentity&) const = default;
};

FileIdentity identityOf(const std::string& path)
{
    FileIdentity identity;
    const Handle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (file.valid() && GetFileInformationByHandle(file.get(), &information))
        identity = {information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow, true};
    return identity;
}

// Names are claimed among copies of the program through a named object per
// file: the system removes it when the last copy holding it ends, however it
// ends, so a claim can never outlive its holder.
std::string claimName(const std::string& path)
{
    char full[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    std::string normal = length > 0 && length < sizeof full ? std::string(full, length) : path;
    CharLowerBuffA(normal.data(), static_cast<DWORD>(normal.size()));
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a over the full, lower-case path
    for (unsigned char c : normal)
        hash = (hash ^ c) * 1099511628211ull;
    char name[48];
    wsprintfA(name, "orvelplan-file-%08lx%08lx", static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xFFFFFFFFu));
    return name;
}

// The claim on one name, or an invalid handle when another copy holds it.
Handle claim(const std::string& path)
{
    Handle claimed(CreateMutexA(nullptr, FALSE, claimName(path).c_str()));
    if (claimed.valid() && GetLastError() == ERROR_ALREADY_EXISTS)
        claimed.reset();
    return claimed;
}

// A complete copy of the new content under a temporary name in the target's
// folder, flushed to disk and closed. Removed again unless it was put in place.
class StagedFile {
public:
    StagedFile(const std::string& folder, std::string_view bytes)
    {
        static unsigned counter = 0;
        Handle writer;
        for (int attempt = 0; attempt < 100 && !writer.valid(); ++attempt) {
            path_ = folder + temporaryFileName(GetCurrentProcessId(), counter++);
            // Not inheritable: a program started meanwhile does not get the file.
            writer = Handle(CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!writer.valid() && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
                break;
        }
        if (!writer.valid()) {
            error_ = GetLastError();
            path_.clear();
            return;
        }
        if (!writeAll(writer.get(), bytes) || !FlushFileBuffers(writer.get()) || !writer.closeChecked())
            error_ = GetLastError() != 0 ? GetLastError() : ERROR_WRITE_FAULT;
    }
    ~StagedFile()
    {
        if (!path_.empty() && !placed_)
            DeleteFileA(path_.c_str());
    }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    DWORD error() const { return error_; }
    // Creation failed before anything was written (as in a folder we may not change).
    bool notCreated() const { return path_.empty(); }
    const std::string& path() const { return path_; }
    void markPlaced() { placed_ = true; }

private:
    std::string path_;
    DWORD error_ = 0;
    bool placed_ = false;
};

// Overwrites a regular file through its own handle: the file is first grown
// to the new size, so a full disk is found before any of its bytes change.
std::string overwriteInPlace(const std::string& path, std::string_view bytes)
{
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return failure(path, GetLastError());
    LARGE_INTEGER size{}, start{};
    size.QuadPart = static_cast<LONGLONG>(bytes.size());
    LARGE_INTEGER current{};
    if (!GetFileSizeEx(file.get(), &current))
        return failure(path, GetLastError());
    if (size.QuadPart > current.QuadPart &&
        (!SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get())))
        return failure(path, GetLastError());
    if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) || !writeAll(file.get(), bytes) ||
        !SetEndOfFile(file.get()) || !FlushFileBuffers(file.get()) || !file.closeChecked())
        return failure(path, GetLastError());
    return {};
}

}  // namespace

struct SavedFile::State {
    std::string path;
    FileIdentity identity;  // not known for a file written in place
    Handle claim;
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
    if (state && state->identity.known && identityOf(state->path) == state->identity)
        DeleteFileA(state->path.c_str());
    release();
}

namespace {

SavedFile heldFile(const std::string& path, Handle claimed, bool placedByUs)
{
    auto state = std::make_unique<SavedFile::State>();
    state->path = path;
    if (placedByUs)
        state->identity = identityOf(path);
    state->claim = std::move(claimed);
    return SavedFile(std::move(state));
}

SaveResult replaceRegularFile(const std::string& path, std::string_view bytes, bool exists)
{
    SaveResult result;
    const std::string folder = folderOf(path);
    removeAbandonedTemporaryFiles(folder);
    StagedFile staged(folder, bytes);
    if (staged.notCreated()) {
        // A folder we may not change can still hold a file we may write.
        if (exists && staged.error() == ERROR_ACCESS_DENIED) {
            result.error = overwriteInPlace(path, bytes);
            if (result.saved())
                result.file = heldFile(path, claim(path), false);
        } else {
            result.error = failure(path, staged.error());
        }
        return result;
    }
    if (staged.error() != 0) {
        result.error = failure(path, staged.error());
        return result;
    }
    // MoveFileEx replaces an existing file in one step and, with write-through,
    // returns only once the move is on disk. A file held open by another
    // program cannot be replaced: it keeps its content.
    if (!MoveFileExA(staged.path().c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        result.error = failure(path, GetLastError());
        return result;
    }
    staged.markPlaced();
    result.file = heldFile(path, claim(path), true);
    return result;
}

}  // namespace

SaveResult writeFileAtomically(const std::string& target, std::string_view bytes, SpecialTarget special)
{
    SaveResult result;
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        result.error = "cannot write " + target + ": it is a folder";
        return result;
    }
    // Devices and pipes (NUL, CON, \\.\pipe\...) open as something other than
    // a disk file, and are written into as a program writing to them would:
    // no truncation, no temporary file. Opening a disk file this way changes nothing.
    Handle existing(CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (existing.valid() && GetFileType(existing.get()) != FILE_TYPE_DISK) {
        if (special == SpecialTarget::refuse)
            result.error = "cannot write " + target + ": not a regular file";
        else if (!writeAll(existing.get(), bytes) || !existing.closeChecked())
            result.error = failure(target, GetLastError());
        return result;
    }
    existing.reset();
    return replaceRegularFile(target, bytes, attributes != INVALID_FILE_ATTRIBUTES);
}

ClaimResult claimNewFile(const std::vector<std::string>& candidates, std::string_view bytes)
{
    ClaimResult result;
    if (candidates.empty()) {
        result.allInUse = true;
        return result;
    }
    const std::string folder = folderOf(candidates.front());
    removeAbandonedTemporaryFiles(folder);
    StagedFile staged(folder, bytes);
    if (staged.notCreated() || staged.error() != 0) {
        result.error = failure(candidates.front(), staged.error());
        return result;
    }
    for (const std::string& candidate : candidates) {
        // Another copy holds this name (its newest calendar, or one it is saving now).
        Handle claimed = claim(candidate);
        if (!claimed.valid())
            continue;
        // A free name is taken as it is; an earlier calendar is replaced only
        // when no program has it open (a viewer's open file cannot be replaced
        // on Windows), and a folder or anything else that will not be replaced
        // is passed over.
        if (!MoveFileExA(staged.path().c_str(), candidate.c_str(), MOVEFILE_WRITE_THROUGH)) {
            const DWORD error = GetLastError();
            if (GetFileAttributesA(candidate.c_str()) == INVALID_FILE_ATTRIBUTES) {
                result.error = failure(candidate, error);
                return result;
            }
            if (!MoveFileExA(staged.path().c_str(), candidate.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                continue;
        }
        staged.markPlaced();
        result.path = candidate;
        result.file = heldFile(candidate, std::move(claimed), true);
        return result;
    }
    result.allInUse = true;
    return result;
}

std::string writeStandardOutput(std::string_view bytes)
{
    // Straight to the handle: the C library's text mode would turn every line
    // feed of the PDF into CR LF.
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE)
        return "cannot write to standard output: " + systemErrorText(ERROR_INVALID_HANDLE);
    if (!writeAll(output, bytes))
        return "cannot write to standard output: " + systemErrorText(GetLastError());
    return {};
}

void reportClosedPipesAsErrors()
{
    // Writing to a pipe whose reader is gone already fails with an error here.
}
