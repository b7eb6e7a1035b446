#include "app/settings_file.h"

#include "platform/app_folders.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

SettingsEntries settingsEntries = initialSettingsEntries();

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Closes the descriptor unless it was handed on; removes the temporary file
// unless the rename made it the settings file.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            close(fd_);
        if (!kept_)
            unlink(path_.c_str());
    }
    int open()
    {
        // A leftover from a crashed run with the same process id is stale.
        unlink(path_.c_str());
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        return fd_;
    }
    int closeDescriptor()
    {
        const int result = close(fd_);
        fd_ = -1;
        return result;
    }
    void keep() { kept_ = true; }
    const std::string& path() const { return path_; }
    int fd() const { return fd_; }

private:
    std::string path_;
    int fd_ = -1;
    bool kept_ = false;
};

std::string failure(const char* what, const std::string& path, int error)
{
    return std::string(what) + " " + path + ": " + std::strerror(error);
}

bool writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

}  // namespace

SettingsEntries initialSettingsEntries()
{
    SettingsEntries entries;
    entries.fill(std::string(64, ' '));
    return entries;
}

std::string settingsFilePath()
{
    const std::string folder = programFolder();
    return folder.empty() ? std::string() : folder + "orvelplan.ini";
}

bool loadSettings()
{
    return readSettingsFile(settingsFilePath(), settingsEntries);
}

std::string saveSettings()
{
    const std::string path = settingsFilePath();
    if (path.empty())
        return "no folder for the settings: neither XDG_DATA_HOME nor HOME is set";
    return writeSettingsFile(path, settingsEntries);
}

bool readSettingsFile(const std::string& path, SettingsEntries& entries)
{
    if (path.empty())
        return false;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    for (std::string& entry : entries) {
        int c = std::getc(file.get());
        if (c == EOF)
            break;
        std::string line;
        for (; c != EOF && c != '\n'; c = std::getc(file.get())) {
            if (line.size() < settingsLineLimit)
                line.push_back(static_cast<char>(c));
        }
        // A CR LF line end leaves its CR behind; a CR kept by the cut is harmless
        // too, since readers stop at the first character after the number.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        entry = std::move(line);
    }
    return true;
}

std::string writeSettingsFile(const std::string& path, const SettingsEntries& entries)
{
    std::string text;
    for (const std::string& entry : entries) {
        text += entry;
        text += '\n';
    }

    // Written beside the settings file and renamed over it only when complete,
    // so a crash or a full disk leaves the previous file as it was.
    TemporaryFile temporary(path + ".tmp." + std::to_string(getpid()));
    if (temporary.open() < 0)
        return failure("cannot create", temporary.path(), errno);
    if (!writeAll(temporary.fd(), text))
        return failure("cannot write", temporary.path(), errno);
    if (fsync(temporary.fd()) != 0)
        return failure("cannot write", temporary.path(), errno);
    if (temporary.closeDescriptor() != 0)
        return failure("cannot write", temporary.path(), errno);
    if (std::rename(temporary.path().c_str(), path.c_str()) != 0)
        return failure("cannot replace", path, errno);
    temporary.keep();

    // Make the rename itself durable; a failure here no longer risks the content.
    if (const int folder = open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return {};
}

int settingNumber(const std::string& text)
{
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int>(value);
}

std::string settingText(int value)
{
    return std::to_string(static_cast<std::uint32_t>(value));
}
