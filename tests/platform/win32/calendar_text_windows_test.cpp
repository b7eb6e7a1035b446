// What the Windows calendar options take from the system: month and weekday
// names from its locale data, and whether a TrueType font's character map has
// a glyph for every character of the page (read from the font's own bytes).
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/calendar_locale.h"
#include "platform/typeface_for_text.h"
#include "platform/win32/truetype_coverage.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Big-endian fields, each a value and its size in bytes, appended to `bytes`.
Bytes& put(Bytes& bytes, std::initializer_list<std::pair<std::uint32_t, int>> fields)
{
    for (const auto& [value, size] : fields)
        for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
            bytes.push_back(static_cast<unsigned char>(value >> shift));
    return bytes;
}

// A font file with nothing but a 'cmap' table (at 28: version 0, one
// subtable record for the platform and encoding) holding `subtable`.
Bytes fontWithCharacterMap(std::uint32_t platform, std::uint32_t encoding, const Bytes& subtable)
{
    Bytes font;
    put(font, {{0x00010000, 4}, {1, 2}, {0, 6}, {0x636D6170, 4}, {0, 4}, {28, 4},
               {12 + static_cast<std::uint32_t>(subtable.size()), 4}, {0, 2}, {1, 2}, {platform, 2}, {encoding, 2}, {12, 4}});
    font.insert(font.end(), subtable.begin(), subtable.end());
    return font;
}

// Format 4, three segments: 'A'..'Z' by delta, 'a'..'c' through the glyph
// array (its offset points just past the offsets) with 'b' missing (glyph 0),
// and the closing 0xFFFF segment.
Bytes format4()
{
    Bytes table;
    return put(table, {{4, 2}, {0, 2}, {0, 2}, {6, 2}, {0, 6},                   // segment count doubled
                       {0x5A, 2}, {0x63, 2}, {0xFFFF, 2}, {0, 2},                // ends
                       {0x41, 2}, {0x61, 2}, {0xFFFF, 2},                        // starts
                       {0x10000 - 0x40, 2}, {0, 2}, {1, 2}, {0, 2}, {4, 2}, {0, 2},  // deltas, offsets
                       {30, 2}, {0, 2}, {32, 2}});
}

// Format 12: U+0100..U+017F and U+1F600, each from glyph 40 on.
Bytes format12()
{
    Bytes table;
    return put(table, {{12, 2}, {0, 2}, {0, 4}, {0, 4}, {2, 4}, {0x100, 4}, {0x17F, 4}, {40, 4},
                       {0x1F600, 4}, {0x1F600, 4}, {40, 4}});
}

TEST(TrueTypeCoverageTest, FollowsTheCharacterMap)
{
    const auto basic = fontWithCharacterMap(3, 1, format4());
    const auto full = fontWithCharacterMap(3, 10, format12());
    const auto mac = fontWithCharacterMap(1, 0, format4());
    const struct {
        const Bytes* font;
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
    const std::pair<Bytes, std::u32string> fonts[] = {
        {fontWithCharacterMap(3, 1, format4()), U"c"}, {fontWithCharacterMap(3, 10, format12()), U"\U0001F600"}};
    for (const auto& [font, text] : fonts) {
        ASSERT_TRUE(trueTypeCovers(font, text));
        for (std::size_t size = 0; size < font.size(); ++size)
            EXPECT_FALSE(trueTypeCovers(Bytes(font.begin(), font.begin() + size), text)) << size;
    }
}

// The names of the languages the base font can show are checked against the
// Linux build's page by the Wine command-line test; these need a font file.
TEST(CalendarLocaleTest, NamesComeFromTheSystemsLocaleData)
{
    const auto polish = localeNames("pl-PL");
    ASSERT_TRUE(polish);
    EXPECT_EQ(std::tuple(polish->months[0], polish->months[2], polish->weekdayShort[0].substr(0, 2)),
              std::tuple("Stycze\u0144", "Marzec", "Ni"));
    EXPECT_FALSE(localeNames("xx-XX"));
}

TEST(CalendarLocaleTest, FontsFolderGivesAFontForWesternNamesAndNoneForUnassignedCharacters)
{
    const auto font = findTypefaceFor(U"Stycze\u0144 \u0160 0123456789");
    ASSERT_TRUE(font) << "no preferred TrueType font in the fonts folder";
    EXPECT_NE(font->path.find(".ttf"), std::string::npos);
    EXPECT_FALSE(findTypefaceFor(U"\U0010FFFD"));
}

}  // namespace
