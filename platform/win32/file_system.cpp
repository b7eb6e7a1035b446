// The file operations of saving on Win32. Folders are named by path. Copies
// of the program claim names through a named object per file: the system
// removes it when the last copy holding it ends, however it ends, so a claim
// never outlives its holder. A file that any program holds open cannot be
// replaced, and a live writer keeps its temporary file open without delete
// sharing, so it cannot be removed under it.
#include "platform/file_system.h"

#include "platform/win32/system_error.h"

#include <algorithm>

#include <windows.h>

namespace {

FileError fileError(DWORD code)
{
    using Meaning = FileError::Meaning;
    const Meaning meaning = code == ERROR_SUCCESS ? Meaning::none
                            : code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ? Meaning::exists
                            : code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION ||
                                      code == ERROR_LOCK_VIOLATION || code == ERROR_USER_MAPPED_FILE
                                  ? Meaning::denied
                            : Meaning::other;
    return {meaning, code};
}

FileError lastError()
{
    const DWORD code = GetLastError();
    return fileError(code != ERROR_SUCCESS ? code : ERROR_WRITE_FAULT);
}

HANDLE handle(const SystemHandle& file)
{
    return reinterpret_cast<HANDLE>(file.get());
}

SystemHandle handleOf(HANDLE opened)
{
    return opened == nullptr || opened == INVALID_HANDLE_VALUE ? SystemHandle()
                                                               : SystemHandle(reinterpret_cast<std::intptr_t>(opened));
}

SystemHandle openNamed(const std::string& path, DWORD access, DWORD sharing)
{
    return handleOf(CreateFileA(path.c_str(), access, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// ERROR_DIRECTORY_NOT_SUPPORTED, which neither every header nor every
// system's message table has.
constexpr DWORD directoryNotSupported = 336;
constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::optional<BY_HANDLE_FILE_INFORMATION> informationOf(const std::string& path)
{
    const SystemHandle file = openNamed(path, 0, shareAll);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file.valid() || !GetFileInformationByHandle(handle(file), &information))
        return std::nullopt;
    return information;
}

FileIdentity identityOf(const BY_HANDLE_FILE_INFORMATION& information)
{
    return {information.dwVolumeSerialNumber,
            (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

// The name of the claim on one file: a hash of its full, lower-case path.
std::string claimObjectName(const std::string& path)
{
    char full[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    std::string normal = length > 0 && length < sizeof full ? std::string(full, length) : path;
    CharLowerBuffA(normal.data(), static_cast<DWORD>(normal.size()));
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : normal)
        hash = (hash ^ c) * 1099511628211ull;
    char name[48];
    wsprintfA(name, "orvelplan-file-%08lx%08lx", static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xFFFFFFFFu));
    return name;
}

}  // namespace

void SystemHandle::reset()
{
    if (valid())
        CloseHandle(reinterpret_cast<HANDLE>(take()));
}

TargetFacts FileSystem::examineTarget(const std::string& path) const
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {TargetFacts::Kind::refused, fileError(directoryNotSupported), {}};
    // Devices and pipes (NUL, CON, \\.\pipe\...) open as something other than
    // a disk file; opening a disk file this way changes nothing.
    const SystemHandle existing = openNamed(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    if (existing.valid() && GetFileType(handle(existing)) != FILE_TYPE_DISK)
        return {TargetFacts::Kind::other, {}, {}};
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return {TargetFacts::Kind::missing, {}, path};
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return {TargetFacts::Kind::refused, fileError(ERROR_ACCESS_DENIED), {}};
    // A symbolic link is replaced by the file rather than followed.
    return {TargetFacts::Kind::regularFile, {}, path};
}

Folder FileSystem::openFolderOf(const std::string& filePath, std::string& name, FileError& error) const
{
    const std::size_t separator = filePath.find_last_of("\\/:");
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    name = filePath.substr(nameStart);
    error = {};
    return {filePath.substr(0, nameStart), {}};
}

std::vector<std::string> FileSystem::listFolder(const Folder& folder) const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder.path + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.emplace_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::uint64_t FileSystem::processId() const
{
    return GetCurrentProcessId();
}

bool FileSystem::processGone(std::uint64_t processId) const
{
    if (processId > 0xFFFFFFFFu)
        return false;
    const SystemHandle process = handleOf(OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId)));
    if (!process.valid())
        return GetLastError() == ERROR_INVALID_PARAMETER;
    return WaitForSingleObject(handle(process), 0) == WAIT_OBJECT_0;
}

void FileSystem::removeLeftover(const Folder& folder, const std::string& name) const
{
    DeleteFileA((folder.path + name).c_str());
}

CreatedFile FileSystem::createExclusive(const Folder& folder, const std::string& name, const std::string&) const
{
    CreatedFile created;
    // Not inheritable: a program started meanwhile does not get the file.
    created.file = handleOf(CreateFileA((folder.path + name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!created.file.valid() || !GetFileInformationByHandle(handle(created.file), &information))
        created.error = lastError();
    else
        created.identity = identityOf(information);
    return created;
}

SystemHandle FileSystem::openForWriting(const std::string& path, bool regularFile, FileError& error) const
{
    SystemHandle file = openNamed(path, GENERIC_WRITE, regularFile ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE);
    error = file.valid() ? FileError() : lastError();
    return file;
}

FileError FileSystem::writeAll(const SystemHandle& file, std::string_view bytes, bool wholeFile) const
{
    if (wholeFile) {
        LARGE_INTEGER size{}, current{}, start{};
        size.QuadPart = static_cast<LONGLONG>(bytes.size());
        if (!GetFileSizeEx(handle(file), &current) ||
            (size.QuadPart > current.QuadPart &&
             (!SetFilePointerEx(handle(file), size, nullptr, FILE_BEGIN) || !SetEndOfFile(handle(file)))) ||
            !SetFilePointerEx(handle(file), start, nullptr, FILE_BEGIN))
            return lastError();
    }
    for (std::size_t done = 0; done < bytes.size();) {
        DWORD wrote = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (!WriteFile(handle(file), bytes.data() + done, chunk, &wrote, nullptr))
            return lastError();
        if (wrote == 0)
            return fileError(ERROR_WRITE_FAULT);
        done += wrote;
    }
    return wholeFile && !SetEndOfFile(handle(file)) ? lastError() : FileError();
}

FileError FileSystem::flushAndClose(SystemHandle& file, bool flush) const
{
    FileError error = flush && !FlushFileBuffers(handle(file)) ? lastError() : FileError();
    if (file.valid() && !CloseHandle(reinterpret_cast<HANDLE>(file.take())) && !error)
        error = lastError();
    return error;
}

// With write-through, MoveFileEx returns only once the move is on disk.
FileError FileSystem::replace(const Folder& folder, const std::string& from, const std::string& to) const
{
    return MoveFileExA((folder.path + from).c_str(), (folder.path + to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? FileError()
               : lastError();
}

FileError FileSystem::placeIfAbsent(const Folder& folder, const std::string& from, const std::string& to) const
{
    if (MoveFileExA((folder.path + from).c_str(), (folder.path + to).c_str(), MOVEFILE_WRITE_THROUGH))
        return {};
    const FileError error = lastError();
    // Whatever the system calls it, a name that is there is taken.
    return GetFileAttributesA((folder.path + to).c_str()) != INVALID_FILE_ATTRIBUTES
               ? fileError(ERROR_ALREADY_EXISTS)
               : error;
}

std::optional<FileIdentity> FileSystem::identity(const Folder& folder, const std::string& name) const
{
    const auto information = informationOf(folder.path + name);
    if (!information)
        return std::nullopt;
    return identityOf(*information);
}

void FileSystem::remove(const Folder& folder, const std::string& name) const
{
    DeleteFileA((folder.path + name).c_str());
}

std::optional<SystemHandle> FileSystem::claimName(const Folder& folder, const std::string& name) const
{
    SystemHandle claimed = handleOf(CreateMutexA(nullptr, FALSE, claimObjectName(folder.path + name).c_str()));
    if (claimed.valid() && GetLastError() == ERROR_ALREADY_EXISTS)
        return std::nullopt;
    return claimed;
}

ExistingFile FileSystem::openExisting(const Folder& folder, const std::string& name) const
{
    ExistingFile existing;
    const auto information = informationOf(folder.path + name);
    if (!information)
        existing.state = GetFileAttributesA((folder.path + name).c_str()) == INVALID_FILE_ATTRIBUTES
                             ? ExistingFile::State::gone
                             : ExistingFile::State::taken;
    else if (information->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        existing.state = ExistingFile::State::taken;
    else
        existing = {ExistingFile::State::open, {}, identityOf(*information),
                    !(information->dwFileAttributes & FILE_ATTRIBUTE_READONLY)};
    return existing;
}

InUse FileSystem::probeInUse(const Folder& folder, const std::string& name, const ExistingFile&) const
{
    // Opening with no sharing at all fails while any program has the file open.
    const SystemHandle file = openNamed(folder.path + name, GENERIC_READ, 0);
    if (file.valid())
        return InUse::no;
    return GetLastError() == ERROR_SHARING_VIOLATION ? InUse::yes : InUse::cannotTell;
}

std::string FileSystem::errorText(const FileError& error) const
{
    return error.code == directoryNotSupported ? "it is a folder" : systemErrorText(error.code);
}

std::string writeStandardOutput(std::string_view bytes)
{
    // Straight to the handle: the C library's text mode would turn every line
    // feed of the PDF into CR LF.
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE)
        return "cannot write to standard output: " + systemErrorText(ERROR_INVALID_HANDLE);
    SystemHandle borrowed(reinterpret_cast<std::intptr_t>(output));
    const FileError error = FileSystem().writeAll(borrowed, bytes, false);
    borrowed.take();
    return error ? "cannot write to standard output: " + systemErrorText(error.code) : std::string();
}

void reportClosedPipesAsErrors()
{
    // Writing to a pipe whose reader is gone already fails with an error here.
}
