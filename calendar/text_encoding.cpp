#include "calendar/text_encoding.h"

namespace {

// In the font's built-in encoding the apostrophe and the grave accent are curly
// quotes; everything else printable in ASCII is itself.
bool readsSameInStandardEncoding(char32_t c)
{
    return c >= 0x20 && c < 0x7F && c != '\'' && c != '`';
}

// WinAnsiEncoding agrees with Latin-1 except in 0x80..0x9F.
bool isLatin1Printable(char32_t c)
{
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF);
}

}  // namespace

std::optional<std::u32string> decodeUtf8(std::string_view text)
{
    std::u32string result;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return std::nullopt;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are not text.
        constexpr char32_t smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < smallest[length] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            return std::nullopt;
        result += c;
        i += length;
    }
    return result;
}

BaseFontEncoding baseFontEncodingFor(const std::vector<std::string>& texts)
{
    BaseFontEncoding encoding = BaseFontEncoding::standard;
    for (const std::string& text : texts) {
        const auto characters = decodeUtf8(text);
        if (!characters)
            return BaseFontEncoding::none;
        for (char32_t c : *characters) {
            if (!isLatin1Printable(c))
                return BaseFontEncoding::none;
            if (!readsSameInStandardEncoding(c))
                encoding = BaseFontEncoding::winAnsi;
        }
    }
    return encoding;
}

std::string toWinAnsi(std::string_view utf8)
{
    std::string result;
    for (char32_t c : decodeUtf8(utf8).value_or(std::u32string{}))
        result += static_cast<char>(isLatin1Printable(c) ? c : U'?');
    return result;
}

std::string encodeUtf8(const std::u32string& characters)
{
    std::string text;
    for (char32_t c : characters) {
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else if (c < 0x800) {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            text += static_cast<char>(0xE0 | (c >> 12));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | (c >> 18));
            text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}
