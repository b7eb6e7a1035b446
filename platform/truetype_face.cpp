#include "platform/truetype_face.h"

#include <algorithm>

std::uint32_t bigEndianAt(std::string_view data, std::size_t at, int bytes)
{
    if (at > data.size() || data.size() - at < static_cast<std::size_t>(bytes))
        return 0;
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | static_cast<unsigned char>(data[at + static_cast<std::size_t>(i)]);
    return value;
}

namespace {

// The part of `data` from `at` on, `length` bytes long; empty when it does
// not lie within the data.
std::string_view slice(std::string_view data, std::size_t at, std::size_t length)
{
    if (at > data.size() || data.size() - at < length)
        return {};
    return data.substr(at, length);
}

}  // namespace

std::optional<TrueTypeFace> TrueTypeFace::read(std::string_view file, int index)
{
    std::size_t directory = 0;
    if (file.substr(0, 4) == "ttcf") {
        const std::uint32_t faces = bigEndianAt(file, 8, 4);
        if (index < 0 || static_cast<std::uint32_t>(index) >= faces)
            return std::nullopt;
        directory = bigEndianAt(file, 12 + 4 * static_cast<std::size_t>(index), 4);
    } else if (index != 0) {
        return std::nullopt;
    }
    const std::uint32_t version = bigEndianAt(file, directory, 4);
    if (version != 0x00010000 && version != 0x74727565)  // 1.0 or 'true'
        return std::nullopt;
    if (slice(file, directory, 12).empty())
        return std::nullopt;
    return TrueTypeFace(file, directory);
}

TrueTypeFace::TrueTypeFace(std::string_view bytes, std::size_t directoryAt) : file(bytes), directory(directoryAt)
{
    const std::string_view cmap = table("cmap");
    for (std::uint32_t s = 0; s < bigEndianAt(cmap, 2, 2); ++s) {
        const std::size_t record = 4 + 8 * static_cast<std::size_t>(s);
        if (slice(cmap, record, 8).empty())
            break;
        const std::uint32_t platform = bigEndianAt(cmap, record, 2), encoding = bigEndianAt(cmap, record + 2, 2);
        const std::size_t at = bigEndianAt(cmap, record + 4, 4);
        const std::uint32_t format = bigEndianAt(cmap, at, 2);
        const bool unicode = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
        // Each look-up checks its own reads, so a subtable runs to the end
        // of the map whatever length it claims.
        if (unicode && format == 12 && format12.empty())
            format12 = slice(cmap, at, cmap.size() - std::min(at, cmap.size()));
        if (unicode && format == 4 && format4.empty())
            format4 = slice(cmap, at, cmap.size() - std::min(at, cmap.size()));
    }
}

std::string_view TrueTypeFace::table(std::string_view tag) const
{
    const std::uint32_t tables = bigEndianAt(file, directory + 4, 2);
    for (std::uint32_t t = 0; t < tables; ++t) {
        const std::size_t entry = directory + 12 + 16 * static_cast<std::size_t>(t);
        if (slice(file, entry, 16).empty())
            break;
        if (file.substr(entry, 4) == tag)
            return slice(file, bigEndianAt(file, entry + 8, 4), bigEndianAt(file, entry + 12, 4));
    }
    return {};
}

std::uint32_t TrueTypeFace::glyphInFormat12(char32_t c) const
{
    const std::uint32_t groups = bigEndianAt(format12, 12, 4);
    for (std::uint32_t g = 0; g < groups; ++g) {
        const std::size_t group = 16 + 12 * static_cast<std::size_t>(g);
        if (slice(format12, group, 12).empty())
            break;
        const std::uint32_t first = bigEndianAt(format12, group, 4);
        if (c >= first && c <= bigEndianAt(format12, group + 4, 4))
            return bigEndianAt(format12, group + 8, 4) + (c - first);
    }
    return 0;
}

std::uint32_t TrueTypeFace::glyphInFormat4(char32_t c) const
{
    if (c > 0xFFFF)
        return 0;
    const std::size_t segments = bigEndianAt(format4, 6, 2) / 2;
    const std::size_t ends = 14, starts = ends + 2 * segments + 2, deltas = starts + 2 * segments,
                      offsets = deltas + 2 * segments;
    if (slice(format4, offsets, 2 * segments).empty())
        return 0;
    for (std::size_t s = 0; s < segments; ++s) {
        if (c > bigEndianAt(format4, ends + 2 * s, 2))
            continue;
        const std::uint32_t start = bigEndianAt(format4, starts + 2 * s, 2);
        if (c < start)
            return 0;
        const std::uint32_t delta = bigEndianAt(format4, deltas + 2 * s, 2);
        const std::uint32_t offset = bigEndianAt(format4, offsets + 2 * s, 2);
        if (offset == 0)
            return (c + delta) & 0xFFFF;
        const std::uint32_t glyph = bigEndianAt(format4, offsets + 2 * s + offset + 2 * (c - start), 2);
        return glyph == 0 ? 0 : (glyph + delta) & 0xFFFF;
    }
    return 0;
}

std::uint32_t TrueTypeFace::glyphFor(char32_t c) const
{
    return format12.empty() ? glyphInFormat4(c) : glyphInFormat12(c);
}

bool TrueTypeFace::covers(const std::u32string& characters) const
{
    if (format12.empty() && format4.empty())
        return false;
    for (char32_t c : characters)
        if (glyphFor(c) == 0)
            return false;
    return true;
}
