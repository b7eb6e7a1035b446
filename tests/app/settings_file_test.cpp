// The settings file: reading any content without shifting entries, writing
// atomically, and the numbers as the screen and start-up read them.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/settings_file.h"
#include "tests/calendar/temporary_folder.h"

namespace {

std::string readFile(const std::string& path)
{
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

class SettingsFileTest : public ::testing::Test {
protected:
    long filesInFolder() const { return std::distance(std::filesystem::directory_iterator(folder.path()), {}); }

    TemporaryFolder folder;
    std::string path = folder.file("orvelplan.ini");
    const SettingsEntries saved{"0", "1", "0", "120", "300", "2011", "1", "1"};
};

TEST_F(SettingsFileTest, AnyContentFillsOneEntryPerLineAndTheRestKeepTheirDefaults)
{
    const std::string empty = initialSettingsEntries()[0];
    const std::string megabyte(1 << 20, '7');
    const std::vector<std::pair<std::string, SettingsEntries>> cases = {
        {"0\r\n1\r\n0\r\n120\r\n300\r\n2011\r\n1\r\n1\r\n", saved},
        {"0\r\n1\n0\r\n120\n300\r\n2011\n1\r\n1", saved},
        {"0\n1\n0\n120\n300\n2011\n1\n1\n99\n98\n", saved},
        {"0\n1\n1\n", {"0", "1", "1", empty, empty, empty, empty, empty}},
        {"", initialSettingsEntries()},
        // Long lines are cut at the limit; the next line is still the next entry.
        {"1234567890123456789012345\n1\n0\n" + megabyte + "\r\n300\n2011\n1\n1\n",
         {"1234567890123456789", "1", "0", megabyte.substr(0, settingsLineLimit), "300", "2011", "1", "1"}},
        {"\x01\x02\xff\n" + std::string("20\0" "16\n", 6) + "abc\n  -40xyz\n\t7\n\n2016  \n\xfe\xff\n",
         {"\x01\x02\xff", std::string("20\0" "16", 5), "abc", "  -40xyz", "\t7", "", "2016  ", "\xfe\xff"}},
    };
    for (const auto& [content, expected] : cases) {
        std::ofstream(path, std::ios::binary) << content;
        SettingsEntries entries = initialSettingsEntries();
        EXPECT_TRUE(readSettingsFile(path, entries));
        EXPECT_EQ(entries, expected) << content.substr(0, 40);
    }
    SettingsEntries entries = initialSettingsEntries();
    EXPECT_FALSE(readSettingsFile(folder.file("absent.ini"), entries));
    EXPECT_FALSE(readSettingsFile("", entries));
    EXPECT_EQ(entries, initialSettingsEntries());
}

TEST_F(SettingsFileTest, WritingReplacesTheFileWholeOrNotAtAllAndLeavesNoTemporaryFile)
{
    std::ofstream(path) << "old content that is longer than the new one\n\n\n\n\n\n\n\n\n\n";
    ASSERT_EQ(writeSettingsFile(path, saved), "");
    EXPECT_EQ(readFile(path), "0\n1\n0\n120\n300\n2011\n1\n1\n");
    SettingsEntries loaded = initialSettingsEntries();
    ASSERT_TRUE(readSettingsFile(path, loaded));
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(filesInFolder(), 1);

    const std::string inNoFolder = folder.file("no-such-folder/orvelplan.ini");
    EXPECT_NE(writeSettingsFile(inNoFolder, saved), "");
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);  // the rename over a folder fails
    const std::string reason = writeSettingsFile(path, saved);
    EXPECT_NE(reason.find(path), std::string::npos) << reason;
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(filesInFolder(), 1);
}

TEST_F(SettingsFileTest, TheFileLivesInTheDataFolderWhichIsCreated)
{
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string previous = old ? old : "";
    setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
    EXPECT_EQ(settingsFilePath(), folder.path().string() + "/orvel/orvelplan/orvelplan.ini");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "orvel" / "orvelplan"));
    old ? setenv("XDG_DATA_HOME", previous.c_str(), 1) : unsetenv("XDG_DATA_HOME");
}

TEST(SettingNumber, ReadsTheLeadingNumberPinnedTo32BitsAndWritesItUnsigned)
{
    const std::vector<std::pair<std::string, int>> numbers = {
        {"42", 42}, {"  42", 42}, {"+7", 7}, {"-40", -40}, {"\t7", 7}, {"2016  ", 2016}, {"12abc", 12},
        {"", 0}, {"abc", 0}, {"\x01\x02", 0}, {std::string("20\0" "16", 5), 20}, {std::string(64, ' '), 0},
        {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"4294967288", INT_MAX}, {"-2147483649", INT_MIN},
        {"99999999999999999999999999", INT_MAX}, {"-99999999999999999999999999", INT_MIN},
    };
    for (const auto& [text, number] : numbers)
        EXPECT_EQ(settingNumber(text), number) << "'" << text << "'";
    const std::vector<std::pair<int, std::string>> texts = {
        {0, "0"}, {2016, "2016"}, {-8, "4294967288"}, {-32000, "4294935296"}, {INT_MIN, "2147483648"}};
    for (const auto& [number, text] : texts)
        EXPECT_EQ(settingText(number), text);
}

}  // namespace
