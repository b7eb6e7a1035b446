// The file operations of saving on POSIX. Every step of one save works
// relative to the folder held open. Copies of the program claim files with
// flock locks: a temporary file is locked from its creation, so the lock
// comes with it when it is renamed into place.
#include "platform/file_system.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileError fileError(int code)
{
    using Meaning = FileError::Meaning;
    const Meaning meaning = code == 0 ? Meaning::none
                            : code == EEXIST ? Meaning::exists
                            : code == EACCES || code == EPERM || code == EROFS ? Meaning::denied
                            : Meaning::other;
    return {meaning, static_cast<unsigned long>(code)};
}

FileError lastError()
{
    return fileError(errno != 0 ? errno : EIO);
}

int fd(const SystemHandle& handle)
{
    return static_cast<int>(handle.get());
}

SystemHandle handleOf(int fd)
{
    return fd < 0 ? SystemHandle() : SystemHandle(fd);
}

FileIdentity identityOf(const struct stat& status)
{
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a chain of symbolic links ends at, whether or not it exists yet.
std::string linkDestination(std::string path)
{
    for (int hop = 0; hop < 40; ++hop) {
        struct stat status;
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size())
            return path;
        target.resize(static_cast<std::size_t>(length));
        path = target.front() == '/' ? target : folderOf(path) + "/" + target;
    }
    return path;
}

// Whether this user may write the file. Root may write any file, but one
// that nobody may write (no write permission bit at all, as after
// `chmod a-w`) was made read-only on purpose and stays protected from root too.
int writeDenied(int folder, const char* name, const struct stat& status)
{
    if (faccessat(folder, name, W_OK, AT_EACCESS) != 0)
        return errno;
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ? EACCES : 0;
}

}  // namespace

void SystemHandle::reset()
{
    if (valid())
        ::close(static_cast<int>(take()));
}

TargetFacts FileSystem::examineTarget(const std::string& path) const
{
    TargetFacts facts;
    struct stat status;
    if (stat(path.c_str(), &status) != 0) {
        if (errno != ENOENT)
            return {TargetFacts::Kind::refused, lastError(), {}};
        facts.fileToWrite = linkDestination(path);
        return facts;
    }
    if (S_ISDIR(status.st_mode))
        return {TargetFacts::Kind::refused, fileError(EISDIR), {}};
    if (!S_ISREG(status.st_mode))
        return {TargetFacts::Kind::other, {}, {}};
    if (const int denied = writeDenied(AT_FDCWD, path.c_str(), status))
        return {TargetFacts::Kind::refused, fileError(denied), {}};
    // Through links the file itself is replaced, in its own folder.
    char* real = realpath(path.c_str(), nullptr);
    facts = {TargetFacts::Kind::regularFile, {}, real ? real : path};
    std::free(real);
    return facts;
}

Folder FileSystem::openFolderOf(const std::string& filePath, std::string& name, FileError& error) const
{
    const std::size_t slash = filePath.rfind('/');
    name = slash == std::string::npos ? filePath : filePath.substr(slash + 1);
    Folder folder{folderOf(filePath), handleOf(open(folderOf(filePath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))};
    error = folder.handle.valid() ? FileError() : lastError();
    return folder;
}

std::vector<std::string> FileSystem::listFolder(const Folder& folder) const
{
    std::vector<std::string> names;
    const int listing = dup(fd(folder.handle));
    DIR* dir = listing < 0 ? nullptr : fdopendir(listing);
    if (!dir) {
        if (listing >= 0)
            ::close(listing);
        return names;
    }
    rewinddir(dir);
    while (const dirent* entry = readdir(dir))
        names.emplace_back(entry->d_name);
    closedir(dir);
    return names;
}

std::uint64_t FileSystem::processId() const
{
    return static_cast<std::uint64_t>(getpid());
}

bool FileSystem::processGone(std::uint64_t processId) const
{
    return processId <= INT_MAX && kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH;
}

void FileSystem::removeLeftover(const Folder& folder, const std::string& name) const
{
    const SystemHandle file = handleOf(openat(fd(folder.handle), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat status;
    if (file.valid() && fstat(fd(file), &status) == 0 && S_ISREG(status.st_mode) && flock(fd(file), LOCK_EX | LOCK_NB) == 0)
        unlinkat(fd(folder.handle), name.c_str(), 0);
}

CreatedFile FileSystem::createExclusive(const Folder& folder, const std::string& name,
                                        const std::string& keepPermissionsOf) const
{
    CreatedFile created;
    created.file = handleOf(openat(fd(folder.handle), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!created.file.valid()) {
        created.error = lastError();
        return created;
    }
    // The lock marks a live writer to other copies' clean-up, and later the
    // saved file as this copy's.
    created.hold = handleOf(openat(fd(folder.handle), name.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status;
    if (created.hold.valid())
        flock(fd(created.hold), LOCK_EX | LOCK_NB);
    if (!created.hold.valid() || fstat(fd(created.file), &status) != 0)
        created.error = lastError();
    else
        created.identity = identityOf(status);
    struct stat original;
    if (!keepPermissionsOf.empty() && stat(keepPermissionsOf.c_str(), &original) == 0) {
        // Only root can hand the file back to its owner; others keep it as theirs.
        if ((original.st_uid != geteuid() || original.st_gid != getegid()) &&
            fchown(fd(created.file), original.st_uid, original.st_gid) != 0) {
        }
        fchmod(fd(created.file), original.st_mode & 07777);
    }
    return created;
}

SystemHandle FileSystem::openForWriting(const std::string& path, bool regularFile, FileError& error) const
{
    // A regular file is opened without waiting, in case it has become a FIFO meanwhile.
    SystemHandle file = handleOf(open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (regularFile ? O_NONBLOCK : 0)));
    error = file.valid() ? FileError() : lastError();
    return file;
}

FileError FileSystem::writeAll(const SystemHandle& file, std::string_view bytes, bool wholeFile) const
{
    struct stat status;
    const bool regular = wholeFile && fstat(fd(file), &status) == 0 && S_ISREG(status.st_mode);
    const off_t size = static_cast<off_t>(bytes.size());
    if (regular && size > status.st_size) {
        const int reserved = posix_fallocate(fd(file), 0, size);
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL)
            return fileError(reserved);
    }
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t wrote = write(fd(file), bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return wrote == 0 ? fileError(EIO) : lastError();
        done += static_cast<std::size_t>(wrote);
    }
    return regular && ftruncate(fd(file), size) != 0 ? lastError() : FileError();
}

FileError FileSystem::flushAndClose(SystemHandle& file, bool flush) const
{
    FileError error = flush && fsync(fd(file)) != 0 ? lastError() : FileError();
    if (file.valid() && ::close(static_cast<int>(file.take())) != 0 && !error)
        error = lastError();
    return error;
}

namespace {

// The content is safe by the time a name is changed; a folder that cannot be
// flushed only risks the change being forgotten by a crash.
void syncFolder(const Folder& folder)
{
    fsync(fd(folder.handle));
}

}  // namespace

FileError FileSystem::replace(const Folder& folder, const std::string& from, const std::string& to) const
{
    if (renameat(fd(folder.handle), from.c_str(), fd(folder.handle), to.c_str()) != 0)
        return lastError();
    syncFolder(folder);
    return {};
}

FileError FileSystem::placeIfAbsent(const Folder& folder, const std::string& from, const std::string& to) const
{
    const int at = fd(folder.handle);
    if (renameat2(at, from.c_str(), at, to.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
            return lastError();
        // File systems without that rename: a hard link is just as exclusive.
        if (linkat(at, from.c_str(), at, to.c_str(), 0) != 0)
            return lastError();
        unlinkat(at, from.c_str(), 0);
    }
    syncFolder(folder);
    return {};
}

std::optional<FileIdentity> FileSystem::identity(const Folder& folder, const std::string& name) const
{
    struct stat status;
    if (fstatat(fd(folder.handle), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    return identityOf(status);
}

void FileSystem::remove(const Folder& folder, const std::string& name) const
{
    unlinkat(fd(folder.handle), name.c_str(), 0);
}

std::optional<SystemHandle> FileSystem::claimName(const Folder&, const std::string&) const
{
    return SystemHandle();
}

ExistingFile FileSystem::openExisting(const Folder& folder, const std::string& name) const
{
    ExistingFile existing;
    existing.lock = handleOf(openat(fd(folder.handle), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat status;
    if (!existing.lock.valid())
        existing.state = errno == ENOENT ? ExistingFile::State::gone : ExistingFile::State::taken;
    else if (fstat(fd(existing.lock), &status) != 0 || !S_ISREG(status.st_mode) ||
             (flock(fd(existing.lock), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK))
        existing.state = ExistingFile::State::taken;
    else
        existing = {ExistingFile::State::open, std::move(existing.lock), identityOf(status),
                    writeDenied(fd(folder.handle), name.c_str(), status) == 0};
    return existing;
}

InUse FileSystem::probeInUse(const Folder&, const std::string&, const ExistingFile& file) const
{
    // A write lease is refused while any process has the file open. A
    // process opening it while the lease is held would make the kernel
    // signal us, SIGIO by default, which ends a process; SIGURG is ignored
    // unless handled.
    const int lock = fd(file.lock);
    if (fcntl(lock, F_SETSIG, SIGURG) != 0)
        return InUse::cannotTell;
    if (fcntl(lock, F_SETLEASE, F_WRLCK) == 0) {
        fcntl(lock, F_SETLEASE, F_UNLCK);
        return InUse::no;
    }
    return errno == EAGAIN || errno == EBUSY ? InUse::yes : InUse::cannotTell;
}

std::string FileSystem::errorText(const FileError& error) const
{
    return std::strerror(static_cast<int>(error.code));
}

std::string writeStandardOutput(std::string_view bytes)
{
    SystemHandle output(STDOUT_FILENO);
    const FileError error = FileSystem().writeAll(output, bytes, false);
    output.take();
    return error ? "cannot write to standard output: " + FileSystem().errorText(error) : std::string();
}

void reportClosedPipesAsErrors()
{
    signal(SIGPIPE, SIG_IGN);
}
