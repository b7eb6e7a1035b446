#include "calendar/composite_glyphs.h"

#include <hpdf_font.h>
#include <hpdf_fontdef.h>
#include <hpdf_streams.h>

#include <algorithm>
#include <array>

namespace {

std::uint16_t readUint16(std::span<const unsigned char> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

// A composite record's header: the number of contours (-1) and the box.
constexpr std::size_t recordHeader = 10;
// How much of a record is read: composites of a few components are far
// shorter, and simple glyphs are told by their first two bytes.
constexpr std::size_t recordPrefix = 1024;

// Component flags of the 'glyf' table.
constexpr std::uint16_t argumentsAreWords = 0x0001;
constexpr std::uint16_t haveScale = 0x0008;
constexpr std::uint16_t moreComponents = 0x0020;
constexpr std::uint16_t haveXAndYScale = 0x0040;
constexpr std::uint16_t haveTwoByTwo = 0x0080;

}  // namespace

std::vector<std::uint16_t> compositeComponents(std::span<const unsigned char> record)
{
    std::vector<std::uint16_t> components;
    if (record.size() < recordHeader || readUint16(record, 0) != 0xFFFF)
        return components;
    std::uint16_t flags = moreComponents;
    for (std::size_t at = recordHeader; flags & moreComponents;) {
        if (at + 4 > record.size())
            break;
        flags = readUint16(record, at);
        components.push_back(readUint16(record, at + 2));
        at += 4 + ((flags & argumentsAreWords) ? 4 : 2) +
              ((flags & haveScale) ? 2 : (flags & haveXAndYScale) ? 4 : (flags & haveTwoByTwo) ? 8 : 0);
    }
    return components;
}

void keepNestedComponents(HPDF_Doc document, const char* fontName, const char* encodingName)
{
    const HPDF_Font font = HPDF_GetFont(document, fontName, encodingName);
    if (!font)
        return;
    const HPDF_FontDef definition = static_cast<HPDF_FontAttr>(font->attr)->fontdef;
    if (!definition || definition->type != HPDF_FONTDEF_TYPE_TRUETYPE)
        return;
    const auto truetype = static_cast<HPDF_TTFontDefAttr>(definition->attr);
    if (!truetype->embedding || !truetype->stream)
        return;
    HPDF_TTF_GryphOffsets& glyphs = truetype->glyph_tbl;
    const unsigned unit = truetype->header.index_to_loc_format == 0 ? 2 : 1;
    // A component marked here is looked at in its turn: the list grows as the
    // walk goes, and every glyph is marked, and so read, once.
    std::vector<std::uint16_t> pending;
    for (std::uint16_t gid = 0; gid < truetype->num_glyphs; ++gid)
        if (glyphs.flgs[gid])
            pending.push_back(gid);
    while (!pending.empty()) {
        const std::uint16_t gid = pending.back();
        pending.pop_back();
        const HPDF_UINT32 start = glyphs.offsets[gid] * unit;
        const HPDF_UINT32 end = glyphs.offsets[gid + 1] * unit;
        if (end <= start)
            continue;
        std::array<unsigned char, recordPrefix> record{};
        HPDF_UINT size = std::min<HPDF_UINT>(end - start, static_cast<HPDF_UINT>(record.size()));
        if (HPDF_Stream_Seek(truetype->stream, static_cast<HPDF_INT>(glyphs.base_offset + start), HPDF_SEEK_SET) != HPDF_OK ||
            HPDF_Stream_Read(truetype->stream, record.data(), &size) != HPDF_OK)
            return;
        for (std::uint16_t component : compositeComponents(std::span(record.data(), size)))
            if (component < truetype->num_glyphs && !glyphs.flgs[component]) {
                glyphs.flgs[component] = 1;
                pending.push_back(component);
            }
    }
}
