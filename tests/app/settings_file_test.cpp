// The settings file: reading any content without shifting entries, writing
// atomically, and reading the numbers the way the screen and start-up do.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/settings_file.h"
#include "tests/calendar/temporary_folder.h"

namespace {

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

SettingsEntries entriesOf(std::initializer_list<const char*> texts)
{
    SettingsEntries entries = initialSettingsEntries();
    std::size_t i = 0;
    for (const char* text : texts)
        entries[i++] = text;
    return entries;
}

class SettingsFileTest : public ::testing::Test {
protected:
    SettingsEntries read(const std::string& content)
    {
        writeFile(path, content);
        SettingsEntries entries = initialSettingsEntries();
        EXPECT_TRUE(readSettingsFile(path, entries));
        return entries;
    }

    TemporaryFolder folder;
    std::string path = folder.file("orvelplan.ini");
};

TEST_F(SettingsFileTest, WrittenEntriesReadBackUnchanged)
{
    const SettingsEntries saved = entriesOf({"0", "1", "0", "120", "300", "2011", "1", "1"});
    ASSERT_EQ(writeSettingsFile(path, saved), "");
    EXPECT_EQ(readFile(path), "0\n1\n0\n120\n300\n2011\n1\n1\n");
    SettingsEntries loaded = initialSettingsEntries();
    ASSERT_TRUE(readSettingsFile(path, loaded));
    EXPECT_EQ(loaded, saved);
}

TEST_F(SettingsFileTest, MissingFileLeavesTheEntriesAsTheyWere)
{
    SettingsEntries entries = initialSettingsEntries();
    EXPECT_FALSE(readSettingsFile(folder.file("absent.ini"), entries));
    EXPECT_FALSE(readSettingsFile("", entries));
    EXPECT_EQ(entries, initialSettingsEntries());
    for (const std::string& entry : entries)
        EXPECT_EQ(settingNumber(entry), 0);
}

TEST_F(SettingsFileTest, ShortFileFillsOnlyTheLeadingEntries)
{
    const SettingsEntries entries = read("0\n1\n1\n");
    EXPECT_EQ(entries[0], "0");
    EXPECT_EQ(entries[2], "1");
    for (int i = 3; i < settingsEntryCount; ++i)
        EXPECT_EQ(entries[static_cast<std::size_t>(i)], initialSettingsEntries()[0]) << "entry " << i;
    EXPECT_EQ(read(""), initialSettingsEntries());
}

TEST_F(SettingsFileTest, LineEndsOfEitherKindAndAMissingLastOne)
{
    const SettingsEntries expected = entriesOf({"0", "1", "0", "120", "300", "2011", "1", "1"});
    EXPECT_EQ(read("0\r\n1\r\n0\r\n120\r\n300\r\n2011\r\n1\r\n1\r\n"), expected);
    EXPECT_EQ(read("0\n1\n0\n120\n300\n2011\n1\n1"), expected);
    EXPECT_EQ(read("0\r\n1\n0\r\n120\n300\r\n2011\n1\r\n1"), expected);
}

TEST_F(SettingsFileTest, ALongLineIsCutWithoutShiftingTheFollowingEntries)
{
    const std::string digits25 = "1234567890123456789012345";
    SettingsEntries entries = read(digits25 + "\n1\n0\n120\n300\n2011\n1\n1\n");
    EXPECT_EQ(entries[0], digits25.substr(0, settingsLineLimit));
    EXPECT_EQ(entries[1], "1");
    EXPECT_EQ(entries[7], "1");

    // A megabyte on one line is no different, and costs no megabyte per entry.
    entries = read("0\n" + std::string(1 << 20, '7') + "\r\n0\n120\n300\n2011\n1\n1\n");
    EXPECT_EQ(entries[1].size(), settingsLineLimit);
    EXPECT_EQ(entries[2], "0");
    EXPECT_EQ(entries[5], "2011");
    EXPECT_EQ(settingNumber(entries[1]), INT_MAX);
}

TEST_F(SettingsFileTest, GarbageAndBinaryContentReadAsZeroWhereNoNumberLeads)
{
    std::string binary = "\x01\x02\xff\n";
    binary += std::string("20\0" "16\n", 6);
    binary += "abc\n  -40xyz\n\t7\n\n2016  \n\xfe\xff\n";
    const SettingsEntries entries = read(binary);
    EXPECT_EQ(settingNumber(entries[0]), 0);
    EXPECT_EQ(entries[1].size(), 5u) << "a zero byte is kept inside its line";
    EXPECT_EQ(settingNumber(entries[1]), 20);
    EXPECT_EQ(settingNumber(entries[2]), 0);
    EXPECT_EQ(settingNumber(entries[3]), -40);
    EXPECT_EQ(settingNumber(entries[4]), 7);
    EXPECT_EQ(settingNumber(entries[5]), 0);
    EXPECT_EQ(settingNumber(entries[6]), 2016);
    EXPECT_EQ(settingNumber(entries[7]), 0);
}

TEST_F(SettingsFileTest, LinesPastTheEighthAreIgnored)
{
    const SettingsEntries entries = read("0\n0\n0\n0\n0\n2012\n0\n1\n99\n98\n");
    EXPECT_EQ(entries[7], "1");
}

TEST_F(SettingsFileTest, WritingReplacesTheFileWholeAndLeavesNoTemporaryFile)
{
    writeFile(path, "old content that is longer than the new one\n\n\n\n\n\n\n\n\n\n");
    ASSERT_EQ(writeSettingsFile(path, entriesOf({"0", "0", "0", "2", "2", "2010", "0", "0"})), "");
    EXPECT_EQ(readFile(path), "0\n0\n0\n2\n2\n2010\n0\n0\n");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(SettingsFileTest, AFailedWriteKeepsThePreviousFileAndSaysWhy)
{
    // A folder where the file should be: the rename over it must fail.
    std::filesystem::create_directory(path);
    const std::string reason = writeSettingsFile(path, entriesOf({"1"}));
    EXPECT_NE(reason, "");
    EXPECT_NE(reason.find(path), std::string::npos) << reason;
    EXPECT_TRUE(std::filesystem::is_directory(path));

    const std::string missing = folder.file("no-such-folder/orvelplan.ini");
    EXPECT_NE(writeSettingsFile(missing, entriesOf({"1"})), "");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++files;
    EXPECT_EQ(files, 1) << "no temporary file left behind";
}

TEST_F(SettingsFileTest, SettingsPathFollowsTheDataFolderAndTheFolderIsCreated)
{
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
    const std::string settingsPath = settingsFilePath();
    EXPECT_EQ(settingsPath, folder.path().string() + "/orvel/orvelplan/orvelplan.ini");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "orvel" / "orvelplan"));

    settingsEntries = entriesOf({"0", "1", "1", "5", "6", "2014", "2", "0"});
    EXPECT_EQ(saveSettings(), "");
    settingsEntries = initialSettingsEntries();
    EXPECT_TRUE(loadSettings());
    EXPECT_EQ(settingsEntries[5], "2014");
    settingsEntries = initialSettingsEntries();
    if (old)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

TEST(SettingNumber, ReadsTheLeadingNumberLikeStrtolPinnedTo32Bits)
{
    EXPECT_EQ(settingNumber("42"), 42);
    EXPECT_EQ(settingNumber("  42"), 42);
    EXPECT_EQ(settingNumber("+7"), 7);
    EXPECT_EQ(settingNumber("-40"), -40);
    EXPECT_EQ(settingNumber("2016  "), 2016);
    EXPECT_EQ(settingNumber("12abc"), 12);
    EXPECT_EQ(settingNumber(""), 0);
    EXPECT_EQ(settingNumber("abc"), 0);
    EXPECT_EQ(settingNumber(std::string(64, ' ')), 0);
    EXPECT_EQ(settingNumber("2147483647"), INT_MAX);
    EXPECT_EQ(settingNumber("2147483648"), INT_MAX);
    EXPECT_EQ(settingNumber("4294967288"), INT_MAX);
    EXPECT_EQ(settingNumber("-2147483649"), INT_MIN);
    EXPECT_EQ(settingNumber("99999999999999999999999999"), INT_MAX);
    EXPECT_EQ(settingNumber("-99999999999999999999999999"), INT_MIN);
}

TEST(SettingText, WritesThe32BitPatternUnsigned)
{
    EXPECT_EQ(settingText(0), "0");
    EXPECT_EQ(settingText(2016), "2016");
    EXPECT_EQ(settingText(-8), "4294967288");
    EXPECT_EQ(settingText(-32000), "4294935296");
    EXPECT_EQ(settingText(INT_MIN), "2147483648");
}

}  // namespace
