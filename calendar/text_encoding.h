#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How a set of UTF-8 texts can be shown with the base font "Helvetica".
enum class BaseFontEncoding {
    standard,  // plain ASCII that reads the same in the font's own encoding
    winAnsi,   // Latin-1 letters: the font with "WinAnsiEncoding"
    none,      // characters the base font has no glyph for: embed a TrueType font
};
BaseFontEncoding baseFontEncodingFor(const std::vector<std::string>& texts);

// The code points of valid UTF-8 text; nothing for malformed text.
std::optional<std::u32string> decodeUtf8(std::string_view text);

// Latin-1 text in the byte values WinAnsiEncoding gives those letters; only for
// texts that baseFontEncodingFor accepts.
std::string toWinAnsi(std::string_view utf8);

// The UTF-8 form of code points.
std::string encodeUtf8(const std::u32string& characters);
