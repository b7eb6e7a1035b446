#pragma once
#include <hpdf.h>

#include <cstdint>
#include <span>
#include <vector>

// The glyphs a TrueType composite glyph is built from, read from its record
// in the 'glyf' table (those whose entries lie inside `record`); nothing for
// a simple glyph.
std::vector<std::uint16_t> compositeComponents(std::span<const unsigned char> record);

// The library keeps the outlines of the glyphs a page uses, and of their
// components, but not of components of components: Arabic letters with dots
// (the medial qaf, the initial beh of many fonts) are built that way and lost
// their bodies. Marks every nested component of the glyphs the embedded
// TrueType font `fontName` (in `encodingName`) has used so far as used too;
// call it once the page is drawn. Fonts that are not embedded TrueType are
// left alone.
void keepNestedComponents(HPDF_Doc document, const char* fontName, const char* encodingName);
