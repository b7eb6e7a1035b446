#include "app/settings_file.h"

#include "platform/app_folders.h"
#include "platform/file_replace.h"

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
    const std::string temporary = temporaryPathBeside(path);
    unlink(temporary.c_str());  // a leftover of a crashed run with the same process id
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return failure("cannot create", temporary, errno);
    const bool written = writeAll(fd, text);
    const int error = errno;
    if (close(fd) != 0 || !written) {
        const std::string reason = failure("cannot write", temporary, written ? errno : error);
        unlink(temporary.c_str());
        return reason;
    }
    return replaceWithTemporary(temporary, path);
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
