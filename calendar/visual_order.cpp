#include "calendar/visual_order.h"

#include "calendar/text_encoding.h"

#include <algorithm>
#include <climits>
#include <new>
#include <stdexcept>
#include <vector>

#include <fribidi.h>

namespace {

// Marks that steer the reordering but have no glyph to draw: embeddings,
// overrides, isolates, boundary neutrals (which include the filler the
// ligatures leave behind) and the three directional marks.
bool isInvisibleControl(FriBidiChar c)
{
    const FriBidiCharType type = fribidi_get_bidi_type(c);
    return FRIBIDI_IS_EXPLICIT_OR_BN(type) || FRIBIDI_IS_ISOLATE(type) || c == 0x200E || c == 0x200F || c == 0x061C;
}

}  // namespace

std::string visualOrder(std::string_view text)
{
    // Plain ASCII, which every default page is, has nothing to reorder.
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(text);
    const auto characters = decodeUtf8(text);
    if (!characters)
        return std::string(text);
    if (characters->size() > INT_MAX)
        throw std::length_error("text too long to put in drawing order");
    const std::vector<FriBidiChar> logical(characters->begin(), characters->end());
    std::vector<FriBidiChar> visual(logical.size());
    FriBidiParType direction = FRIBIDI_PAR_ON;
    // Reordering, mirroring of brackets and Arabic joining, as one line.
    const FriBidiLevel levels = fribidi_log2vis(logical.data(), static_cast<FriBidiStrIndex>(logical.size()),
                                                &direction, visual.data(), nullptr, nullptr, nullptr);
    // The library fails only when it cannot allocate its working memory.
    if (levels == 0)
        throw std::bad_alloc();
    // One level throughout: all of it left to right, and no Arabic letter
    // (those are always right to left), so nothing was reordered or joined.
    if (levels == 1)
        return std::string(text);
    std::u32string drawn;
    for (FriBidiChar c : visual)
        if (!isInvisibleControl(c))
            drawn += static_cast<char32_t>(c);
    return encodeUtf8(drawn);
}
