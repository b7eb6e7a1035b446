#pragma once
#include <array>
#include <string>

// The eight remembered values, held as the decimal texts of the settings file.
// Consumers parse them with settingNumber() where they use them.
enum SettingsEntry : int {
    skinIndexEntry = 0,
    alwaysOnTopEntry = 1,
    translucentEntry = 2,
    windowTopEntry = 3,
    windowLeftEntry = 4,
    yearEntry = 5,
    weekendDayEntry = 6,
    layoutEntry = 7,
};
inline constexpr int settingsEntryCount = 8;
using SettingsEntries = std::array<std::string, settingsEntryCount>;

// The longest part of a line that is kept as an entry; the rest of the line is
// dropped, so a long line never spills into the following entries.
inline constexpr std::size_t settingsLineLimit = 19;
// The most that is read of the settings file: eight such lines many times
// over, and still no more than a glance at whatever else might be there.
inline constexpr std::size_t settingsFileLimit = 4096;

// Start values: every entry reads as 0 until the file says otherwise.
SettingsEntries initialSettingsEntries();

// The program's settings, loaded before the window exists and saved after it closed.
extern SettingsEntries settingsEntries;

// Full path of orvelplan.ini in the program folder; empty when there is no
// user data folder.
std::string settingsFilePath();

// Reads the settings file into settingsEntries. Returns false when the file
// could not be read; the entries then keep their values. Only the first
// settingsFileLimit bytes of a regular file are read; anything else in its
// place (a FIFO, a device) is not read and is reported on standard error.
bool loadSettings();
// Writes settingsEntries to the settings file. Returns an empty string when the
// file was written, otherwise the reason.
std::string saveSettings();

// The same two operations on any path and entry list.
bool readSettingsFile(const std::string& path, SettingsEntries& entries);
std::string writeSettingsFile(const std::string& path, const SettingsEntries& entries);

// The leading decimal number of a setting text, read like strtol in base 10:
// leading white space skipped, optional sign, no digits = 0, and values beyond
// the signed 32-bit range pinned to the nearest limit.
int settingNumber(const std::string& text);
// The text stored for a value: its 32-bit pattern as an unsigned decimal, so
// -8 is stored as 4294967288 and reads back as out of range.
std::string settingText(int value);
