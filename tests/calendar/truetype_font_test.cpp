// Reading TrueType fonts (the character map, faces of collections) and
// cutting a font down to the glyphs a page shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "calendar/truetype_subset.h"
#include "platform/truetype_face.h"

namespace {

using Bytes = std::string;

// Big-endian fields, each a value and its size in bytes, appended to `bytes`.
Bytes& put(Bytes& bytes, std::initializer_list<std::pair<std::uint32_t, int>> fields)
{
    for (const auto& [value, size] : fields)
        for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
            bytes.push_back(static_cast<char>(static_cast<std::uint64_t>(value) >> shift & 0xFF));
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

bool covers(const Bytes& font, const std::u32string& text, int index = 0)
{
    const auto face = TrueTypeFace::read(font, index);
    return face && face->covers(text);
}

TEST(TrueTypeFaceTest, FollowsTheCharacterMap)
{
    const auto basic = fontWithCharacterMap(3, 1, format4());
    const auto full = fontWithCharacterMap(3, 10, format12());
    const auto mac = fontWithCharacterMap(1, 0, format4());
    const struct {
        const Bytes* font;
        std::u32string text;
        bool covered;
    } cases[] = {
        {&basic, U"AZ", true},          {&basic, U"ac", true},        {&basic, U"abc", false},
        {&basic, U"d", false},          {&basic, U"\U0001F600", false}, {&full, U"\u0100\u017F", true},
        {&full, U"\U0001F600", true},    {&full, U"\u0180", false},     {&mac, U"A", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(covers(*c.font, c.text), c.covered) << std::string(c.text.begin(), c.text.end());
}

// The characters looked up are the ones whose glyphs the files end with.
TEST(TrueTypeFaceTest, CutShortFilesCoverNothing)
{
    const std::pair<Bytes, std::u32string> fonts[] = {
        {fontWithCharacterMap(3, 1, format4()), U"c"}, {fontWithCharacterMap(3, 10, format12()), U"\U0001F600"}};
    for (const auto& [font, text] : fonts) {
        ASSERT_TRUE(covers(font, text));
        for (std::size_t size = 0; size < font.size(); ++size)
            EXPECT_FALSE(covers(font.substr(0, size), text)) << size;
    }
}

// A collection of two faces: the first Latin capitals only, the second
// the plane-wide map; each face reads its own tables.
TEST(TrueTypeFaceTest, CollectionsAreReadFaceByFace)
{
    const Bytes latin = fontWithCharacterMap(3, 1, format4()), wide = fontWithCharacterMap(3, 10, format12());
    Bytes collection;
    put(collection, {{0x74746366, 4}, {0x00010000, 4}, {2, 4}, {20, 4}, {20 + static_cast<std::uint32_t>(latin.size()), 4}});
    // Table offsets count from the start of the collection.
    Bytes first = latin, second = wide;
    first[23] = static_cast<char>(28 + 20);
    second[23] = static_cast<char>(28 + 20 + latin.size());
    collection += first + second;
    EXPECT_TRUE(covers(collection, U"AZ", 0));
    EXPECT_FALSE(covers(collection, U"\U0001F600", 0));
    EXPECT_TRUE(covers(collection, U"\U0001F600", 1));
    EXPECT_FALSE(covers(collection, U"A", 2));
    EXPECT_FALSE(covers(latin, U"A", 1));
}

#ifndef _WIN32
std::int16_t signedAt(std::string_view data, std::size_t at, int bytes)
{
    const std::uint32_t value = bigEndianAt(data, at, bytes);
    return bytes == 1 ? static_cast<std::int8_t>(value) : static_cast<std::int16_t>(value);
}

// The glyph and x and y offsets of each component of a composite glyph.
std::vector<std::array<int, 3>> components(std::string_view glyph)
{
    std::vector<std::array<int, 3>> parts;
    for (std::uint32_t at = 10, flags = 0x20; flags & 0x20;
         at += (flags & 1 ? 8 : 6) + (flags & 8 ? 2 : flags & 0x40 ? 4 : flags & 0x80 ? 8 : 0)) {
        flags = bigEndianAt(glyph, at, 2);
        const int size = flags & 1 ? 2 : 1;
        parts.push_back({static_cast<int>(bigEndianAt(glyph, at + 2, 2)), signedAt(glyph, at + 4, size),
                         signedAt(glyph, at + 4 + size, size)});
    }
    return parts;
}

// A real font with composite glyphs (accented letters built from a base
// letter and one accent or two): the cut-down font keeps them whole and small.
TEST(TrueTypeSubsetTest, KeepsThePagesGlyphsAndTheirParts)
{
    std::ifstream file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", std::ios::binary);
    if (!file)
        GTEST_SKIP() << "fonts-dejavu-core is not installed";
    const Bytes font{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::u32string text = U"Pa\u017Adziernik \u015Ar 0123456789 \u01D6\u1EAF\u1EC7";
    const auto subset = subsetTrueType(font, 0, text);
    ASSERT_TRUE(subset);
    EXPECT_LT(subset->size(), 20000u);
    const auto face = TrueTypeFace::read(*subset, 0);
    ASSERT_TRUE(face);
    EXPECT_TRUE(face->covers(text));
    EXPECT_FALSE(face->covers(U"Q"));
    const std::uint32_t glyphs = bigEndianAt(face->table("maxp"), 4, 2);
    EXPECT_LT(glyphs, 40u);
    // Composites are made of glyphs of points of the cut-down font (the PDF
    // library keeps the components of the glyphs drawn, not theirs), placed
    // so that together they fill the composite's box.
    const std::string_view loca = face->table("loca"), glyf = face->table("glyf");
    ASSERT_EQ(loca.size(), 4 * (glyphs + 1));
    int composites = 0;
    for (std::uint32_t g = 0; g < glyphs; ++g) {
        const std::string_view glyph = glyf.substr(bigEndianAt(loca, 4 * g, 4));
        if (glyph.empty() || signedAt(glyph, 0, 2) >= 0)
            continue;
        ++composites;
        std::array<int, 4> box{32767, 32767, -32768, -32768};
        for (const auto& [part, dx, dy] : components(glyph)) {
            ASSERT_LT(static_cast<std::uint32_t>(part), glyphs);
            const std::string_view points = glyf.substr(bigEndianAt(loca, 4 * part, 4));
            ASSERT_GE(signedAt(points, 0, 2), 0) << "glyph " << g << " nests composite " << part;
            box = {std::min(box[0], signedAt(points, 2, 2) + dx), std::min(box[1], signedAt(points, 4, 2) + dy),
                   std::max(box[2], signedAt(points, 6, 2) + dx), std::max(box[3], signedAt(points, 8, 2) + dy)};
        }
        EXPECT_EQ(box, (std::array<int, 4>{signedAt(glyph, 2, 2), signedAt(glyph, 4, 2), signedAt(glyph, 6, 2),
                                           signedAt(glyph, 8, 2)})) << "glyph " << g;
    }
    EXPECT_GT(composites, 3);

    EXPECT_FALSE(subsetTrueType(font.substr(0, 1000), 0, text));
    EXPECT_FALSE(subsetTrueType(font, 1, text));
}
#endif

}  // namespace
