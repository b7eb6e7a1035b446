#include "calendar/truetype_subset.h"

#include "platform/truetype_face.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

namespace {

void put(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
}

void patch(std::string& out, std::size_t at, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * (bytes - 1 - i)) & 0xFF);
}

// Code points that share a standard glyph name: Delta, Omega, mu, space,
// hyphen, Tcommaaccent, tcommaaccent, periodcentered, fraction, macron.
constexpr std::pair<char32_t, char32_t> standardNameTwins[] = {
    {0x0394, 0x2206}, {0x03A9, 0x2126}, {0x03BC, 0x00B5}, {0x0020, 0x00A0}, {0x002D, 0x00AD},
    {0x0162, 0x021A}, {0x0163, 0x021B}, {0x00B7, 0x2219}, {0x2044, 0x2215}, {0x00AF, 0x02C9}};

// Flags of a composite glyph's component record.
constexpr std::uint32_t argumentsAreWords = 0x0001, hasScale = 0x0008, moreComponents = 0x0020,
                        hasXAndYScale = 0x0040, hasTwoByTwo = 0x0080;

// Where each component's glyph number sits in a composite glyph's data.
std::vector<std::size_t> componentPositions(std::string_view glyph)
{
    std::vector<std::size_t> positions;
    if (static_cast<std::int16_t>(bigEndianAt(glyph, 0, 2)) >= 0)
        return positions;
    std::size_t at = 10;
    for (std::uint32_t flags = moreComponents; flags & moreComponents;) {
        if (at + 4 > glyph.size())
            break;
        flags = bigEndianAt(glyph, at, 2);
        positions.push_back(at + 2);
        at += 4 + (flags & argumentsAreWords ? 4 : 2) +
              (flags & hasScale ? 2 : flags & hasXAndYScale ? 4 : flags & hasTwoByTwo ? 8 : 0);
    }
    return positions;
}

class FontReader {
public:
    explicit FontReader(const TrueTypeFace& read) : face(read)
    {
        glyphCount = bigEndianAt(face.table("maxp"), 4, 2);
        longOffsets = bigEndianAt(face.table("head"), 50, 2) == 1;
        metricsCount = bigEndianAt(face.table("hhea"), 34, 2);
    }
    bool readable() const
    {
        return glyphCount > 0 && metricsCount > 0 && face.table("head").size() >= 54 &&
               face.table("hhea").size() >= 36 && face.table("hmtx").size() >= 4 * metricsCount &&
               face.table("loca").size() >= (longOffsets ? 4u : 2u) * (glyphCount + 1) && !face.table("glyf").empty();
    }
    std::string_view glyph(std::uint32_t g) const
    {
        const std::string_view loca = face.table("loca");
        const std::uint32_t start = longOffsets ? bigEndianAt(loca, 4 * g, 4) : 2 * bigEndianAt(loca, 2 * g, 2);
        const std::uint32_t end = longOffsets ? bigEndianAt(loca, 4 * g + 4, 4) : 2 * bigEndianAt(loca, 2 * g + 2, 2);
        const std::string_view glyf = face.table("glyf");
        if (end <= start || end > glyf.size())
            return {};
        return glyf.substr(start, end - start);
    }
    // Advance width and left side bearing.
    std::array<std::uint32_t, 2> metrics(std::uint32_t g) const
    {
        const std::string_view hmtx = face.table("hmtx");
        const std::uint32_t advance = bigEndianAt(hmtx, 4 * std::min(g, metricsCount - 1), 2);
        const std::uint32_t bearing = g < metricsCount ? bigEndianAt(hmtx, 4 * g + 2, 2)
                                                       : bigEndianAt(hmtx, 4 * metricsCount + 2 * (g - metricsCount), 2);
        return {advance, bearing};
    }

    const TrueTypeFace& face;
    std::uint32_t glyphCount = 0;
    std::uint32_t metricsCount = 0;
    bool longOffsets = false;
};

// Format 4 under platform 3 encoding 1, the map the PDF library reads: one
// segment for each run of consecutive characters with consecutive glyphs
// (the library searches the segments one by one for every code it maps).
std::string characterMap(const std::map<char32_t, std::uint32_t>& glyphs)
{
    struct Segment {
        char32_t first, last;
        std::uint32_t glyph;
    };
    std::vector<Segment> segments;
    for (const auto& [c, g] : glyphs) {
        if (!segments.empty() && segments.back().last + 1 == c && segments.back().glyph + (c - segments.back().first) == g)
            segments.back().last = c;
        else
            segments.push_back({c, c, g});
    }
    segments.push_back({0xFFFF, 0xFFFF, 0});
    const std::size_t count = segments.size();
    std::string map;
    put(map, 0, 2);
    put(map, 1, 2);
    put(map, 3, 2);
    put(map, 1, 2);
    put(map, 12, 4);
    std::size_t power = 1, log = 0;
    while (power * 2 <= count)
        power *= 2, ++log;
    put(map, 4, 2);
    put(map, static_cast<std::uint32_t>(16 + 8 * count), 2);
    put(map, 0, 2);
    put(map, static_cast<std::uint32_t>(2 * count), 2);
    put(map, static_cast<std::uint32_t>(2 * power), 2);
    put(map, static_cast<std::uint32_t>(log), 2);
    put(map, static_cast<std::uint32_t>(2 * count - 2 * power), 2);
    for (const Segment& segment : segments)
        put(map, segment.last, 2);
    put(map, 0, 2);
    for (const Segment& segment : segments)
        put(map, segment.first, 2);
    for (const Segment& segment : segments)
        put(map, (segment.glyph - segment.first) & 0xFFFF, 2);
    for (std::size_t s = 0; s < count; ++s)
        put(map, 0, 2);
    return map;
}

// The family, style, full and PostScript names (the last is what the PDF
// calls the font); copyright, licence and description texts, often the
// largest part of a small font, are left out.
std::string names(std::string_view table)
{
    const std::uint32_t count = bigEndianAt(table, 2, 2);
    const std::size_t strings = bigEndianAt(table, 4, 2);
    std::string records, text;
    std::uint32_t kept = 0;
    for (std::uint32_t r = 0; r < count; ++r) {
        const std::size_t record = 6 + 12 * static_cast<std::size_t>(r);
        const std::uint32_t id = bigEndianAt(table, record + 6, 2);
        const std::uint32_t length = bigEndianAt(table, record + 8, 2);
        const std::size_t at = strings + bigEndianAt(table, record + 10, 2);
        if (record + 12 > table.size() || (id != 1 && id != 2 && id != 4 && id != 6) || at + length > table.size())
            continue;
        records += table.substr(record, 8);
        put(records, length, 2);
        put(records, static_cast<std::uint32_t>(text.size()), 2);
        text += table.substr(at, length);
        ++kept;
    }
    std::string out;
    put(out, 0, 2);
    put(out, kept, 2);
    put(out, 6 + 12 * kept, 2);
    return out + records + text;
}

std::uint32_t checksum(const std::string& table)
{
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < table.size(); ++at)
        sum += static_cast<std::uint32_t>(static_cast<unsigned char>(table[at])) << (24 - 8 * (at % 4));
    return sum;
}

std::string fontFile(const std::map<std::string, std::string>& tables)
{
    std::string out;
    const auto count = static_cast<std::uint32_t>(tables.size());
    std::uint32_t power = 1, log = 0;
    while (power * 2 <= count)
        power *= 2, ++log;
    put(out, 0x00010000, 4);
    put(out, count, 2);
    put(out, 16 * power, 2);
    put(out, log, 2);
    put(out, 16 * count - 16 * power, 2);
    std::size_t offset = 12 + 16 * tables.size();
    for (const auto& [tag, data] : tables) {
        out += tag;
        put(out, checksum(data), 4);
        put(out, static_cast<std::uint32_t>(offset), 4);
        put(out, static_cast<std::uint32_t>(data.size()), 4);
        offset += (data.size() + 3) / 4 * 4;
    }
    for (const auto& [tag, data] : tables) {
        out += data;
        out.append((4 - data.size() % 4) % 4, '\0');
    }
    return out;
}

}  // namespace

std::optional<std::string> subsetTrueType(std::string_view file, int index, const std::u32string& characters)
{
    const std::optional<TrueTypeFace> face = TrueTypeFace::read(file, index);
    if (!face)
        return std::nullopt;
    const FontReader font(*face);
    if (!font.readable() || face->table("OS/2").empty() || face->table("name").empty())
        return std::nullopt;

    // The glyphs kept: glyph 0, those of the characters, and every component
    // of a composite glyph among them, however deep.
    std::set<std::uint32_t> kept{0};
    std::vector<std::uint32_t> pending;
    for (char32_t c : characters)
        if (const std::uint32_t g = face->glyphFor(c); c <= 0xFFFF && g != 0 && g < font.glyphCount)
            pending.push_back(g);
    while (!pending.empty()) {
        const std::uint32_t g = pending.back();
        pending.pop_back();
        if (!kept.insert(g).second)
            continue;
        const std::string_view data = font.glyph(g);
        for (std::size_t at : componentPositions(data))
            if (const std::uint32_t part = bigEndianAt(data, at, 2); part < font.glyphCount && !kept.count(part))
                pending.push_back(part);
    }
    std::map<std::uint32_t, std::uint32_t> renumbered;
    for (std::uint32_t g : kept)
        renumbered.emplace(g, static_cast<std::uint32_t>(renumbered.size()));

    std::map<std::string, std::string> tables;
    std::string& glyf = tables["glyf"];
    std::string& loca = tables["loca"];
    std::string& hmtx = tables["hmtx"];
    for (const auto& [old, now] : renumbered) {
        put(loca, static_cast<std::uint32_t>(glyf.size()), 4);
        std::string data(font.glyph(old));
        for (std::size_t at : componentPositions(data)) {
            const auto found = renumbered.find(bigEndianAt(data, at, 2));
            patch(data, at, found == renumbered.end() ? 0 : found->second, 2);
        }
        glyf += data;
        glyf.append((4 - glyf.size() % 4) % 4, '\0');
        const auto [advance, bearing] = font.metrics(old);
        put(hmtx, advance, 2);
        put(hmtx, bearing, 2);
    }
    put(loca, static_cast<std::uint32_t>(glyf.size()), 4);
    const auto count = static_cast<std::uint32_t>(renumbered.size());

    tables["head"] = face->table("head").substr(0, 54);
    patch(tables["head"], 8, 0, 4);   // checksum adjustment, not kept up to date
    patch(tables["head"], 50, 1, 2);  // long offsets in loca
    tables["hhea"] = face->table("hhea").substr(0, 36);
    patch(tables["hhea"], 34, count, 2);
    tables["maxp"] = face->table("maxp");
    patch(tables["maxp"], 4, count, 2);
    if (const std::string_view post = face->table("post"); post.size() >= 32) {
        tables["post"] = post.substr(0, 32);
        patch(tables["post"], 0, 0x00030000, 4);  // no glyph names
    }
    std::map<char32_t, std::uint32_t> characterGlyphs;
    for (char32_t c : characters)
        if (const std::uint32_t g = face->glyphFor(c); c < 0xFFFF && g != 0 && renumbered.count(g))
            characterGlyphs.emplace(c, renumbered[g]);
    // A page in a single-byte encoding is read through glyph names, and a
    // few names stand for two code points; a viewer may look up either.
    for (const auto& [one, other] : standardNameTwins) {
        if (characterGlyphs.count(one) && !characterGlyphs.count(other))
            characterGlyphs.emplace(other, characterGlyphs[one]);
        else if (characterGlyphs.count(other) && !characterGlyphs.count(one))
            characterGlyphs.emplace(one, characterGlyphs[other]);
    }
    tables["cmap"] = characterMap(characterGlyphs);
    tables["name"] = names(face->table("name"));
    for (const char* tag : {"OS/2", "cvt ", "fpgm", "prep"})
        if (const std::string_view data = face->table(tag); !data.empty())
            tables[tag] = data;
    return fontFile(tables);
}
