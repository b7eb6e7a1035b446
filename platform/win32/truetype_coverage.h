#pragma once
#include <string>
#include <vector>

// Whether the Unicode character map of a TrueType font file's bytes (its
// 'cmap' table: format 12 for every plane, or format 4 for the basic one) has
// a glyph for every character. A font that cannot be read covers nothing.
bool trueTypeCovers(const std::vector<unsigned char>& font, const std::u32string& characters);
