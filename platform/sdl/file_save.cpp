#include "platform/file_save.h"
#include "platform/temporary_file_name.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {


std::string failure(const std::string& path, int error)
{
    return "cannot write " + path + ": " + std::strerror(error);
}

class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(Descriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        if (this != &other) {
            reset();
            fd_ = other.fd_;
            other.fd_ = -1;
        }
        return *this;
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset()
    {
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
    }
    // Closes and reports the result: a delayed write error can show up only here.
    bool closeChecked()
    {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

private:
    int fd_ = -1;
};

bool writeAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (wrote == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}


// Temporary files of runs that were killed before they finished. A file is
// only removed when its process is gone and nobody holds the lock its writer
// keeps on it, so a live writer's file (even one in another process
// namespace) is never touched.
void removeAbandonedTemporaryFiles(int folder)
{
    const int listing = dup(folder);
    if (listing < 0)
        return;
    DIR* dir = fdopendir(listing);
    if (!dir) {
        close(listing);
        return;
    }
    rewinddir(dir);
    while (const dirent* entry = readdir(dir)) {
        const std::uint64_t id = temporaryFileOwner(entry->d_name);
        const pid_t owner = id <= INT_MAX ? static_cast<pid_t>(id) : 0;
        if (owner == 0 || owner == getpid() || kill(owner, 0) == 0 || errno != ESRCH)
            continue;
        const Descriptor file(openat(folder, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        struct stat status;
        if (file.valid() && fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode) &&
            flock(file.get(), LOCK_EX | LOCK_NB) == 0)
            unlinkat(folder, entry->d_name, 0);
    }
    closedir(dir);
}

bool syncFolder(int folder)
{
    return fsync(folder) == 0 || errno == EINVAL || errno == EROFS;
}

// A complete copy of the new content under a temporary name, flushed and
// closed. Removed again unless it was put in place. Its reading descriptor
// carries an exclusive lock for as long as the file is held.
class StagedFile {
public:
    StagedFile(int folder, std::string_view bytes, const struct stat* keepPermissionsOf) : folder_(folder)
    {
        static unsigned counter = 0;
        Descriptor writer;
        for (int attempt = 0; attempt < 100 && !writer.valid(); ++attempt) {
            name_ = temporaryFileName(static_cast<std::uint64_t>(getpid()), counter++);
            writer = Descriptor(openat(folder, name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (!writer.valid() && errno != EEXIST)
                break;
        }
        if (!writer.valid()) {
            error_ = errno;
            name_.clear();
            return;
        }
        reader_ = Descriptor(openat(folder, name_.c_str(), O_RDONLY | O_CLOEXEC));
        if (reader_.valid())
            flock(reader_.get(), LOCK_EX | LOCK_NB);
        if (keepPermissionsOf) {
            // Only root can hand the file back to its owner; others keep it as theirs.
            if ((keepPermissionsOf->st_uid != geteuid() || keepPermissionsOf->st_gid != getegid()) &&
                fchown(writer.get(), keepPermissionsOf->st_uid, keepPermissionsOf->st_gid) != 0) {
            }
            fchmod(writer.get(), keepPermissionsOf->st_mode & 07777);
        }
        if (!writeAll(writer.get(), bytes) || fsync(writer.get()) != 0) {
            error_ = errno;
            return;
        }
        if (!writer.closeChecked() || !reader_.valid())
            error_ = errno != 0 ? errno : EIO;
    }
    ~StagedFile()
    {
        if (!name_.empty() && !placed_)
            unlinkat(folder_, name_.c_str(), 0);
    }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    int error() const { return error_; }
    // Creation failed before anything was written (as in a folder we may not change).
    bool notCreated() const { return name_.empty(); }
    const std::string& name() const { return name_; }
    void markPlaced() { placed_ = true; }
    Descriptor takeReader() { return std::move(reader_); }

private:
    int folder_;
    std::string name_;
    Descriptor reader_;
    int error_ = 0;
    bool placed_ = false;
};

}  // namespace

struct SavedFile::State {
    Descriptor folder;
    std::string name;
    Descriptor file;  // invalid for a file written in place
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
    if (state && state->file.valid()) {
        struct stat ours, there;
        if (fstat(state->file.get(), &ours) == 0 &&
            fstatat(state->folder.get(), state->name.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(ours, there))
            unlinkat(state->folder.get(), state->name.c_str(), 0);
    }
    release();
}

namespace {

SavedFile heldFile(Descriptor folder, std::string name, Descriptor file)
{
    auto state = std::make_unique<SavedFile::State>();
    state->folder = std::move(folder);
    state->name = std::move(name);
    state->file = std::move(file);
    return SavedFile(std::move(state));
}

// Overwrites a regular file through its own descriptor: room for the new
// content is reserved first, so a full disk is found before anything changes.
std::string overwriteInPlace(const std::string& path, const std::string& shownPath, std::string_view bytes)
{
    Descriptor file(open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid())
        return failure(shownPath, errno);
    struct stat status;
    if (fstat(file.get(), &status) != 0)
        return failure(shownPath, errno);
    if (S_ISREG(status.st_mode)) {
        const off_t size = static_cast<off_t>(bytes.size());
        if (size > status.st_size) {
            const int reserved = posix_fallocate(file.get(), 0, size);
            if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL)
                return failure(shownPath, reserved);
        }
        if (!writeAll(file.get(), bytes) || ftruncate(file.get(), size) != 0 || fsync(file.get()) != 0)
            return failure(shownPath, errno);
    } else if (!writeAll(file.get(), bytes)) {
        return failure(shownPath, errno);
    }
    return file.closeChecked() ? std::string() : failure(shownPath, errno);
}

// Writes into a FIFO, terminal or device as a program writing to it would:
// no truncation, no temporary file, no flush to a disk it does not have.
std::string writeIntoSpecialFile(const std::string& path, std::string_view bytes)
{
    Descriptor file(open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (!file.valid())
        return failure(path, errno);
    if (!writeAll(file.get(), bytes))
        return failure(path, errno);
    return file.closeChecked() ? std::string() : failure(path, errno);
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

SaveResult replaceRegularFile(const std::string& path, const std::string& shownPath, std::string_view bytes,
                              const struct stat* existing)
{
    SaveResult result;
    Descriptor folder(open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid()) {
        result.error = failure(shownPath, errno);
        return result;
    }
    removeAbandonedTemporaryFiles(folder.get());
    const std::string name = nameOf(path);
    StagedFile staged(folder.get(), bytes, existing);
    if (staged.notCreated()) {
        // A folder we may not change can still hold a file we may write.
        if (existing && (staged.error() == EACCES || staged.error() == EPERM || staged.error() == EROFS))
            result.error = overwriteInPlace(path, shownPath, bytes);
        else
            result.error = failure(shownPath, staged.error());
        return result;
    }
    if (staged.error() != 0) {
        result.error = failure(shownPath, staged.error());
        return result;
    }
    if (renameat(folder.get(), staged.name().c_str(), folder.get(), name.c_str()) != 0) {
        result.error = failure(shownPath, errno);
        return result;
    }
    staged.markPlaced();
    // The content is safe by now; a folder that cannot be flushed only risks
    // the rename being forgotten by a crash.
    syncFolder(folder.get());
    result.file = heldFile(std::move(folder), name, staged.takeReader());
    return result;
}

}  // namespace

SaveResult writeFileAtomically(const std::string& target, std::string_view bytes, SpecialTarget special)
{
    SaveResult result;
    struct stat status;
    if (stat(target.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            result.error = failure(target, EISDIR);
        } else if (S_ISREG(status.st_mode)) {
            // Through links the file itself is replaced, in its own folder.
            char* real = realpath(target.c_str(), nullptr);
            const std::string path = real ? real : target;
            std::free(real);
            return replaceRegularFile(path, target, bytes, &status);
        } else if (special == SpecialTarget::refuse) {
            result.error = "cannot write " + target + ": not a regular file";
        } else {
            result.error = writeIntoSpecialFile(target, bytes);
        }
        return result;
    }
    if (errno != ENOENT) {
        result.error = failure(target, errno);
        return result;
    }
    return replaceRegularFile(linkDestination(target), target, bytes, nullptr);
}

namespace {

enum class Reuse { absent, replaceable, passOver, changed };

// Whether an existing candidate is an earlier file that may go. A file is
// passed over when another copy of the program holds it (its lock), when any
// process has it open (a write lease is refused then; where leases cannot be
// taken the system cannot tell and the file may go), and when it is not a
// regular file we can read. A replaceable file stays locked by `lock` until
// it has been replaced, so no other copy replaces it at the same time.
Reuse examineCandidate(int folder, const std::string& name, Descriptor& lock)
{
    lock = Descriptor(openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!lock.valid())
        return errno == ENOENT ? Reuse::absent : Reuse::passOver;
    struct stat opened, there;
    if (fstat(lock.get(), &opened) != 0 || !S_ISREG(opened.st_mode))
        return Reuse::passOver;
    if (flock(lock.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        return Reuse::passOver;
    // A process opening the file while the lease is held would make the
    // kernel signal us, SIGIO by default, which ends a process; SIGURG is
    // ignored unless handled.
    if (fcntl(lock.get(), F_SETSIG, SIGURG) == 0) {
        if (fcntl(lock.get(), F_SETLEASE, F_WRLCK) == 0)
            fcntl(lock.get(), F_SETLEASE, F_UNLCK);
        else if (errno == EAGAIN || errno == EBUSY)
            return Reuse::passOver;
    }
    // The name may have been replaced while we locked the file it had.
    if (fstatat(folder, name.c_str(), &there, AT_SYMLINK_NOFOLLOW) != 0 || !sameFile(opened, there))
        return Reuse::changed;
    return Reuse::replaceable;
}

// Gives the staged file the name `name` only if nothing has that name: 0 on
// success, otherwise the errno (EEXIST when the name is taken).
int placeIfAbsent(int folder, const std::string& staged, const std::string& name)
{
    if (renameat2(folder, staged.c_str(), folder, name.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
    // File systems without that rename: a hard link is just as exclusive.
    if (linkat(folder, staged.c_str(), folder, name.c_str(), 0) != 0)
        return errno;
    unlinkat(folder, staged.c_str(), 0);
    return 0;
}

}  // namespace

ClaimResult claimNewFile(const std::vector<std::string>& candidates, std::string_view bytes)
{
    ClaimResult result;
    if (candidates.empty()) {
        result.allInUse = true;
        return result;
    }
    const std::string folderPath = folderOf(candidates.front());
    Descriptor folder(open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid()) {
        result.error = failure(candidates.front(), errno);
        return result;
    }
    removeAbandonedTemporaryFiles(folder.get());
    StagedFile staged(folder.get(), bytes, nullptr);
    if (staged.error() != 0) {
        result.error = failure(candidates.front(), staged.error());
        return result;
    }
    for (const std::string& candidate : candidates) {
        const std::string name = nameOf(candidate);
        for (int attempt = 0; attempt < 10; ++attempt) {
            const int placed = placeIfAbsent(folder.get(), staged.name(), name);
            if (placed != 0 && placed != EEXIST) {
                result.error = failure(candidate, placed);
                return result;
            }
            Descriptor lock;
            const Reuse reuse = placed == 0 ? Reuse::absent : examineCandidate(folder.get(), name, lock);
            if (reuse == Reuse::passOver)
                break;
            if (reuse == Reuse::replaceable &&
                renameat(folder.get(), staged.name().c_str(), folder.get(), name.c_str()) != 0) {
                result.error = failure(candidate, errno);
                return result;
            }
            if (placed == 0 || reuse == Reuse::replaceable) {
                staged.markPlaced();
                syncFolder(folder.get());
                result.path = candidate;
                result.file = heldFile(std::move(folder), name, staged.takeReader());
                return result;
            }
            // Gone or replaced meanwhile: look at the name again.
        }
    }
    result.allInUse = true;
    return result;
}

std::string writeStandardOutput(std::string_view bytes)
{
    if (!writeAll(STDOUT_FILENO, bytes))
        return std::string("cannot write to standard output: ") + std::strerror(errno);
    return {};
}

void reportClosedPipesAsErrors()
{
    signal(SIGPIPE, SIG_IGN);
}
