#include "app/settings_file.h"

#include "platform/app_folders.h"
#include "platform/file_save.h"
#include "platform/line_end.h"
#include "platform/small_file.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

SettingsEntries settingsEntries = initialSettingsEntries();

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
    const ProgramFolder folder = findProgramFolder();
    if (folder.path.empty())
        return "no folder for the settings: " + folder.problem;
    if (!folder.problem.empty())
        return folder.problem;
    return writeSettingsFile(folder.path + "orvelplan.ini", settingsEntries);
}

bool readSettingsFile(const std::string& path, SettingsEntries& entries)
{
    if (path.empty())
        return false;
    const SmallFileRead file = readSmallFile(path, settingsFileLimit);
    if (file.outcome != SmallFileRead::Outcome::read) {
        if (!file.error.empty())
            std::fprintf(stderr, "orvelplan: %s; using the default settings\n", file.error.c_str());
        return false;
    }
    std::size_t at = 0;
    const std::string& text = file.content;
    for (std::string& entry : entries) {
        if (at == text.size())
            break;
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string line = text.substr(at, std::min(end - at, settingsLineLimit));
        at = end == text.size() ? end : end + 1;
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
    // Replaced whole or not at all, so a crash or a full disk leaves the
    // previous file as it was; something else in its place is left alone.
    return writeFileAtomically(path, text, SpecialTarget::refuse).error;
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
