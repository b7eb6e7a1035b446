#include "app/settings_file.h"

#include "platform/app_folders.h"
#include "platform/file_replace.h"
#include "platform/line_end.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

SettingsEntries settingsEntries = initialSettingsEntries();

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

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
        return "no folder for the settings: " + missingProgramFolderReason();
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
        text += textLineEnd();
    }

    // Written beside the settings file and put in its place only when
    // complete, so a crash or a full disk leaves the previous file as it was.
    return replaceFileContent(path, text);
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
