#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One face of a TrueType font file's bytes: a .ttf file, or one face of a
// collection (.ttc). Only reads; every offset is checked against the bytes,
// so a damaged file reads as a face without the parts it lacks.
class TrueTypeFace {
public:
    // Nothing when the bytes are not a TrueType file or the collection has
    // no face `index`.
    static std::optional<TrueTypeFace> read(std::string_view file, int index);

    // The table with this four-letter tag; empty when absent or not inside the file.
    std::string_view table(std::string_view tag) const;
    // The glyph of a character in the Unicode character map (format 12 for
    // every plane, else format 4 for the basic one); 0 when it has none.
    std::uint32_t glyphFor(char32_t c) const;
    // Whether every character has a glyph.
    bool covers(const std::u32string& characters) const;

private:
    TrueTypeFace(std::string_view file, std::size_t directory);
    std::uint32_t glyphInFormat12(char32_t c) const;
    std::uint32_t glyphInFormat4(char32_t c) const;

    std::string_view file;
    std::size_t directory;    // where the face's table directory starts
    std::string_view format12;
    std::string_view format4;
};

// Big-endian unsigned values of `bytes` bytes at `at`; 0 outside the data.
std::uint32_t bigEndianAt(std::string_view data, std::size_t at, int bytes);
