// What the Windows calendar options take from the system: month and weekday
// names from its locale data, and whether a TrueType font's character map has
// a glyph for every character of the page (read from the font's own bytes).
#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

#include "platform/calendar_locale.h"
#include "platform/typeface_for_text.h"
#include "platform/win32/truetype_coverage.h"

namespace {

void put(std::vector<unsigned char>& bytes, std::uint32_t value, int size)
{
    for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
        bytes.push_back(static_cast<unsigned char>(value >> shift));
}

// A font file with nothing but a 'cmap' table holding one subtable.
std::vector<unsigned char> fontWithCharacterMap(std::uint32_t platform, std::uint32_t encoding,
                                                const std::vector<unsigned char>& subtable)
{
    std::vector<unsigned char> font;
    put(font, 0x00010000, 4);
    put(font, 1, 2);  // one table
    put(font, 0, 6);
    put(font, 0x636D6170, 4);  // 'cmap'
    put(font, 0, 4);
    put(font, 28, 4);  // where the table starts
    put(font, 12 + static_cast<std::uint32_t>(subtable.size()), 4);
    put(font, 0, 2);  // cmap version
    put(font, 1, 2);
    put(font, platform, 2);
    put(font, encoding, 2);
    put(font, 12, 4);
    font.insert(font.end(), subtable.begin(), subtable.end());
    return font;
}

// Format 4: 'A'..'Z' by delta, 'a'..'c' through the glyph array with 'b'
// missing (glyph 0), and the closing 0xFFFF segment.
std::vector<unsigned char> format4()
{
    std::vector<unsigned char> table;
    put(table, 4, 2);
    put(table, 0, 2);  // length, unused here
    put(table, 0, 2);
    put(table, 6, 2);  // 3 segments, doubled
    put(table, 0, 6);
    for (std::uint32_t end : {0x5Au, 0x63u, 0xFFFFu})
        put(table, end, 2);
    put(table, 0, 2);
    for (std::uint32_t start : {0x41u, 0x61u, 0xFFFFu})
        put(table, start, 2);
    for (std::uint32_t delta : {0x10000u - 0x40u, 0u, 1u})
        put(table, delta & 0xFFFF, 2);
    for (std::uint32_t offset : {0u, 4u, 0u})  // the second one points just past the offsets
        put(table, offset, 2);
    for (std::uint32_t glyph : {30u, 0u, 32u})
        put(table, glyph, 2);
    return table;
}

// Format 12: U+0100..U+017F and U+1F600, each from glyph 40 on.
std::vector<unsigned char> format12()
{
    std::vector<unsigned char> table;
    put(table, 12, 2);
    put(table, 0, 2);
    put(table, 0, 4);
    put(table, 0, 4);
    put(table, 2, 4);
    for (auto [first, last] : {std::pair{0x100u, 0x17Fu}, std::pair{0x1F600u, 0x1F600u}}) {
        put(table, first, 4);
        put(table, last, 4);
        put(table, 40, 4);
    }
    return table;
}

TEST(TrueTypeCoverageTest, FollowsTheCharacterMap)
{
    const auto basic = fontWithCharacterMap(3, 1, format4());
    const auto full = fontWithCharacterMap(3, 10, format12());
    const auto mac = fontWithCharacterMap(1, 0, format4());
    const struct {
        const std::vector<unsigned char>* font;
        std::u32string text;
        bool covered;
    } cases[] = {
        {&basic, U"AZ", true},         {&basic, U"ac", true},          {&basic, U"abc", false},
        {&basic, U"@", false},         {&basic, U"d", false},          {&basic, U"\U0001F600", false},
        {&full, U"\u0100\u017F", true}, {&full, U"\U0001F600", true},   {&full, U"\u0180", false},
        {&full, U"A", false},          {&mac, U"A", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(trueTypeCovers(*c.font, c.text), c.covered) << std::string(c.text.begin(), c.text.end());
}

// The characters looked up are the ones whose glyphs the files end with.
TEST(TrueTypeCoverageTest, CutShortFilesCoverNothing)
{
    const std::pair<std::vector<unsigned char>, std::u32string> fonts[] = {
        {fontWithCharacterMap(3, 1, format4()), U"c"}, {fontWithCharacterMap(3, 10, format12()), U"\U0001F600"}};
    for (const auto& [font, text] : fonts) {
        ASSERT_TRUE(trueTypeCovers(font, text));
        for (std::size_t size = 0; size < font.size(); ++size)
            EXPECT_FALSE(trueTypeCovers(std::vector<unsigned char>(font.begin(), font.begin() + size), text)) << size;
    }
}

// The names of the languages the base font can show are checked against the
// Linux build's page by the Wine command-line test; these need a font file.
TEST(CalendarLocaleTest, NamesComeFromTheSystemsLocaleData)
{
    const auto polish = localeNames("pl", "PL");
    ASSERT_TRUE(polish);
    EXPECT_EQ(std::tuple(polish->months[0], polish->months[2], polish->weekdayShort[0].substr(0, 2)),
              std::tuple("Stycze\u0144", "Marzec", "Ni"));
    EXPECT_FALSE(localeNames("xx", "XX"));
}

TEST(CalendarLocaleTest, FontsFolderGivesAFontForWesternNamesAndNoneForUnassignedCharacters)
{
    const auto font = findTypefaceFor(U"Stycze\u0144 \u0160 0123456789");
    ASSERT_TRUE(font) << "no preferred TrueType font in the fonts folder";
    EXPECT_NE(font->path.find(".ttf"), std::string::npos);
    EXPECT_FALSE(findTypefaceFor(U"\U0010FFFD"));
}

}  // namespace
