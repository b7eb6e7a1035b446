#include "calendar/weekday_headings.h"

#include "calendar/text_encoding.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

namespace {

struct Range {
    char32_t first, last;
};

// Marks that combine with the letter before them, in the scripts the
// system's locales write weekday and month names in.
constexpr Range combiningMarks[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x05BF, 0x05BF}, {0x05C1, 0x05C2}, {0x05C4, 0x05C5},
    {0x05C7, 0x05C7}, {0x0610, 0x061A}, {0x064B, 0x065F}, {0x0670, 0x0670}, {0x06D6, 0x06DC}, {0x06DF, 0x06E4},
    {0x06E7, 0x06E8}, {0x06EA, 0x06ED}, {0x0711, 0x0711}, {0x0730, 0x074A}, {0x07A6, 0x07B0}, {0x07EB, 0x07F3},
    {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E}, {0x0EB1, 0x0EB1}, {0x0EB4, 0x0EBC}, {0x0EC8, 0x0ECD},
    {0x0F18, 0x0F19}, {0x0F35, 0x0F35}, {0x0F37, 0x0F37}, {0x0F39, 0x0F39}, {0x0F3E, 0x0F3F}, {0x0F71, 0x0F84},
    {0x0F86, 0x0F87}, {0x0F8D, 0x0FBC}, {0x102B, 0x103E}, {0x1056, 0x1059}, {0x105E, 0x1060}, {0x1062, 0x1064},
    {0x1067, 0x106D}, {0x1071, 0x1074}, {0x1082, 0x108D}, {0x108F, 0x108F}, {0x109A, 0x109D}, {0x135D, 0x135F},
    {0x17B4, 0x17D3}, {0x17DD, 0x17DD}, {0x180B, 0x180D}, {0x18A9, 0x18A9}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF},
    {0x200B, 0x200F}, {0x20D0, 0x20FF}, {0x302A, 0x302F}, {0x3099, 0x309A}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F},
};

// Characters a fixed-width page gives two columns: CJK ideographs, kana,
// Hangul syllables, full-width forms.
constexpr Range wideCharacters[] = {
    {0x1100, 0x115F}, {0x2E80, 0x303E}, {0x3041, 0x33FF}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF}, {0xA000, 0xA4CF},
    {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFE30, 0xFE4F}, {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6}, {0x20000, 0x3FFFD},
};

template <std::size_t N>
bool within(const Range (&ranges)[N], char32_t c)
{
    return std::any_of(std::begin(ranges), std::end(ranges), [c](Range r) { return c >= r.first && c <= r.last; });
}

// The vowel signs and viramas of the Indic scripts (Devanagari to Sinhala)
// stand at the same places in each script's block of 128.
bool isIndicMark(char32_t c)
{
    if (c < 0x0900 || c > 0x0DFF)
        return false;
    const char32_t offset = (c - 0x0900) % 0x80;
    return offset <= 0x03 || (offset >= 0x3A && offset <= 0x4F && offset != 0x3D) || (offset >= 0x51 && offset <= 0x57) ||
           offset == 0x62 || offset == 0x63 || (c >= 0x0DCA && c <= 0x0DDF) || c == 0x0DF2 || c == 0x0DF3;
}

bool isCombining(char32_t c)
{
    return isIndicMark(c) || within(combiningMarks, c);
}

int columnsOf(char32_t c)
{
    return isCombining(c) ? 0 : within(wideCharacters, c) ? 2 : 1;
}

// Text split into characters, each a letter with its combining marks.
std::vector<std::u32string> charactersOf(std::string_view text)
{
    std::vector<std::u32string> characters;
    for (char32_t c : decodeUtf8(text).value_or(std::u32string{})) {
        if (characters.empty() || !isCombining(c))
            characters.emplace_back();
        characters.back() += c;
    }
    return characters;
}

std::string joined(const std::vector<std::u32string>& characters, std::size_t count)
{
    std::u32string text;
    for (std::size_t i = 0; i < std::min(count, characters.size()); ++i)
        text += characters[i];
    return encodeUtf8(text);
}

template <typename Texts>
bool allDistinct(const Texts& texts)
{
    return std::set<std::string>(texts.begin(), texts.end()).size() == texts.size();
}

// The names cut to the shortest distinct length of at least two characters;
// nothing when they are alike to the end.
std::optional<std::array<std::string, 7>> shortestDistinct(const std::array<std::string, 7>& names)
{
    std::array<std::vector<std::u32string>, 7> characters;
    std::size_t longest = 0;
    for (int d = 0; d < 7; ++d) {
        characters[d] = charactersOf(names[d]);
        longest = std::max(longest, characters[d].size());
    }
    std::array<std::string, 7> headings;
    for (std::size_t length = 2; length <= std::max<std::size_t>(longest, 2); ++length) {
        for (int d = 0; d < 7; ++d)
            headings[d] = joined(characters[d], length);
        if (allDistinct(headings))
            return headings;
    }
    return std::nullopt;
}

}  // namespace

std::array<std::string, 7> weekdayHeadings(const std::array<std::string, 7>& abbreviations,
                                           const std::array<std::string, 7>& fullNames)
{
    if (const auto headings = shortestDistinct(abbreviations))
        return *headings;
    if (const auto headings = shortestDistinct(fullNames))
        return *headings;
    return abbreviations;
}

std::array<std::string, 7> textPageHeadings(const std::array<std::string, 7>& headings)
{
    std::array<std::string, 7> cut;
    std::array<int, 7> widths{};
    for (int d = 0; d < 7; ++d)
        cut[d] = fitColumns(headings[d], 2, &widths[d]);
    std::array<std::string, 7> result = cut;
    for (int d = 0; d < 7; ++d) {
        if (std::count(cut.begin(), cut.end(), cut[d]) == 1)
            continue;
        // The first character with its last, or else with the latest one
        // that no other heading has taken with it; a wide character that
        // leaves no room for two stands alone ("一" for "週一").
        const std::vector<std::u32string> characters = charactersOf(headings[d]);
        const auto unused = [&result](const std::string& candidate, int width) {
            return width == 2 && std::count(result.begin(), result.end(), candidate) == 0;
        };
        for (std::size_t k = characters.size(); k-- > 1;) {
            if (characters[k] == U" ")
                continue;
            int width = 0;
            const std::string pair = fitColumns(encodeUtf8(characters.front() + characters[k]), 2, &width);
            if (unused(pair, width)) {
                result[d] = pair;
                break;
            }
            const std::string alone = fitColumns(encodeUtf8(characters[k]), 2, &width);
            if (unused(alone, width)) {
                result[d] = alone;
                break;
            }
        }
    }
    return result;
}

std::string fitColumns(std::string_view text, int columns, int* width)
{
    // A bound on the bytes too, so that a name made of marks alone cannot
    // grow a line of the text page without end.
    const std::size_t maximumBytes = 8 * static_cast<std::size_t>(std::max(columns, 0));
    // Printable ASCII, the English names of every default page, takes one
    // column a byte: no decoding needed.
    if (std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; })) {
        const std::string_view fits = text.substr(0, static_cast<std::size_t>(std::max(columns, 0)));
        if (width)
            *width = static_cast<int>(fits.size());
        return std::string(fits);
    }
    std::u32string fitted;
    int used = 0;
    for (const std::u32string& character : charactersOf(text)) {
        const int needed = columnsOf(character.front());
        if (used + needed > columns || encodeUtf8(fitted + character).size() > maximumBytes)
            break;
        fitted += character;
        used += needed;
    }
    if (width)
        *width = used;
    return encodeUtf8(fitted);
}
