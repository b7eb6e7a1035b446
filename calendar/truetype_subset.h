#pragma once
#include <optional>
#include <string>
#include <string_view>

// A TrueType font file holding only what a page shows: glyph 0, the glyphs of
// `characters` (code points of the basic plane) and the glyphs they are built
// from, renumbered in their old order, with a Unicode character map of those
// characters alone and glyph names left out. The outlines, metrics, hinting
// programs and naming of the face `index` of `file` (a .ttf or a .ttc) are
// kept as they are. Nothing when the bytes are not a TrueType face with
// outlines that can be read.
std::optional<std::string> subsetTrueType(std::string_view file, int index, const std::u32string& characters);
