#pragma once
#include <optional>
#include <string>

// A TrueType font file: the path and the face within it.
struct TypefaceLocation {
    std::string path;
    int index = 0;
};

// The system's sans-serif TrueType font with a glyph for every character of
// `characters` (code points); nothing when no installed font covers them all.
// std::bad_alloc when the fonts could not be searched for lack of memory.
// On Linux the answer is kept in the typeface cache, and a later run asking
// for the same characters takes it from there while the fonts are unchanged.
std::optional<TypefaceLocation> findTypefaceFor(const std::u32string& characters);
