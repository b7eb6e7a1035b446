// The settings file: read without shifting entries, written whole or not at all.
#include <gtest/gtest.h>

#include <climits>

#include "app/settings_file.h"
#include "platform/line_end.h"
#include "tests/support/files.h"

namespace {

// A settings file path in a fresh folder, and the entries of the example
// settings (2011, Monday, "2 Months / row", topmost, at 300, 120).
struct SettingsFileTest : ::testing::Test {
    TemporaryFolder folder;
    std::string path = folder.file("orvelplan.ini");
    const SettingsEntries saved{"0", "1", "0", "120", "300", "2011", "1", "1"};
};

}  // namespace

TEST_F(SettingsFileTest, AnyContentFillsOneEntryPerLineAndTheRestKeepTheirDefaults)
{
    const std::string empty = initialSettingsEntries()[0];
    const std::string longLine(3000, '7');
    const std::vector<std::pair<std::string, SettingsEntries>> cases = {
        {"0\r\n1\n0\r\n120\n300\r\n2011\n1\r\n1\r\n99\n98", saved},
        {"0\n1\n1", {"0", "1", "1", empty, empty, empty, empty, empty}},
        {"", initialSettingsEntries()},
        // Long lines are cut at the limit; the next line is still the next entry.
        {"1234567890123456789012345\n1\n0\n" + longLine + "\r\n300\n2011\n1\n1\n",
         {"1234567890123456789", "1", "0", longLine.substr(0, settingsLineLimit), "300", "2011", "1", "1"}},
        // Only the start of a file far larger than any settings file is read.
        {std::string(settingsFileLimit - 10, ' ') + "\n1\n2\n3\n4\n5\n6\n7\n",
         {std::string(settingsLineLimit, ' '), "1", "2", "3", "4", "5", empty, empty}},
        {"\x01\x02\xff\n" + std::string("20\0" "16\n", 6) + "abc\n  -40xyz\n\t7\n\n2016  \n\xfe\xff\n",
         {"\x01\x02\xff", std::string("20\0" "16", 5), "abc", "  -40xyz", "\t7", "", "2016  ", "\xfe\xff"}},
    };
    for (const auto& [content, expected] : cases) {
        writeFile(path, content);
        SettingsEntries entries = initialSettingsEntries();
        EXPECT_TRUE(readSettingsFile(path, entries));
        EXPECT_EQ(entries, expected) << content.substr(0, 40);
    }
    SettingsEntries entries = initialSettingsEntries();
    EXPECT_FALSE(readSettingsFile(folder.file("absent.ini"), entries));
    EXPECT_FALSE(readSettingsFile("", entries));
    EXPECT_EQ(entries, initialSettingsEntries());
}

// The saving itself (whole or not at all, protected files kept) is the saving tests' subject.
TEST_F(SettingsFileTest, WritingGivesOneLineAnEntryWithTheSystemsLineEnd)
{
    writeFile(path, "old content that is longer than the new one\n\n\n\n\n\n\n\n\n\n");
    ASSERT_EQ(writeSettingsFile(path, saved), "");
    std::string expected;
    for (const std::string& entry : saved)
        expected += entry + textLineEnd();
    EXPECT_EQ(readFile(path), expected);
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
    EXPECT_EQ(settingText(INT_MIN), "2147483648");
}
