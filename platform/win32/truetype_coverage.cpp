#include "platform/win32/truetype_coverage.h"

#include <cstdint>

namespace {

std::uint32_t bigEndian(const std::vector<unsigned char>& data, std::size_t at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | data[at + static_cast<std::size_t>(i)];
    return value;
}

}  // namespace

bool trueTypeCovers(const std::vector<unsigned char>& font, const std::u32string& characters)
{
    const auto has = [&font](std::size_t at, std::size_t bytes) { return at + bytes <= font.size(); };
    if (!has(0, 12))
        return false;
    const std::uint32_t tables = bigEndian(font, 4, 2);
    std::size_t cmap = 0;
    for (std::uint32_t t = 0; t < tables && has(12 + 16 * t, 16); ++t)
        if (bigEndian(font, 12 + 16 * t, 4) == 0x636D6170)  // 'cmap'
            cmap = bigEndian(font, 12 + 16 * t + 8, 4);
    if (cmap == 0 || !has(cmap, 4))
        return false;
    std::size_t format4 = 0, format12 = 0;
    for (std::uint32_t s = 0; s < bigEndian(font, cmap + 2, 2) && has(cmap + 4 + 8 * s, 8); ++s) {
        const std::size_t record = cmap + 4 + 8 * s;
        const std::uint32_t platform = bigEndian(font, record, 2), encoding = bigEndian(font, record + 2, 2);
        const std::size_t at = cmap + bigEndian(font, record + 4, 4);
        if (platform == 3 && encoding == 10 && has(at, 16) && bigEndian(font, at, 2) == 12)
            format12 = at;
        if (platform == 3 && encoding == 1 && has(at, 14) && bigEndian(font, at, 2) == 4)
            format4 = at;
    }
    const auto glyphIn12 = [&](char32_t c) {
        const std::uint32_t groups = bigEndian(font, format12 + 12, 4);
        for (std::uint32_t g = 0; g < groups && has(format12 + 16 + 12 * g, 12); ++g) {
            const std::size_t group = format12 + 16 + 12 * g;
            if (c >= bigEndian(font, group, 4) && c <= bigEndian(font, group + 4, 4))
                return bigEndian(font, group + 8, 4) + (c - bigEndian(font, group, 4)) != 0;
        }
        return false;
    };
    const auto glyphIn4 = [&](char32_t c) {
        if (c > 0xFFFF)
            return false;
        const std::size_t segments = bigEndian(font, format4 + 6, 2) / 2;
        const std::size_t ends = format4 + 14, starts = ends + 2 * segments + 2, deltas = starts + 2 * segments,
                          offsets = deltas + 2 * segments;
        if (!has(offsets, 2 * segments))
            return false;
        for (std::size_t s = 0; s < segments; ++s) {
            if (c > bigEndian(font, ends + 2 * s, 2))
                continue;
            const std::uint32_t start = bigEndian(font, starts + 2 * s, 2);
            if (c < start)
                return false;
            const std::uint32_t delta = bigEndian(font, deltas + 2 * s, 2);
            const std::uint32_t offset = bigEndian(font, offsets + 2 * s, 2);
            if (offset == 0)
                return ((c + delta) & 0xFFFF) != 0;
            const std::size_t glyphAt = offsets + 2 * s + offset + 2 * (c - start);
            return has(glyphAt, 2) && bigEndian(font, glyphAt, 2) != 0;
        }
        return false;
    };
    if (format12 == 0 && format4 == 0)
        return false;
    for (char32_t c : characters)
        if (!(format12 ? glyphIn12(c) : glyphIn4(c)))
            return false;
    return true;
}

