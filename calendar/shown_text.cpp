#include "calendar/shown_text.h"

namespace {

void appendEscaped(std::string& shown, unsigned char byte)
{
    constexpr char digits[] = "0123456789abcdef";
    switch (byte) {
    case '\n': shown += "\\n"; return;
    case '\r': shown += "\\r"; return;
    case '\t': shown += "\\t"; return;
    case 0x1b: shown += "\\e"; return;
    default: shown += {'\\', 'x', digits[byte >> 4], digits[byte & 15]};
    }
}

}  // namespace

std::string shownText(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // U+0080..U+009F are C2 80..C2 9F in UTF-8; some terminals obey them too.
        const bool c1 = byte == 0xc2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9f;
        if (c1) {
            appendEscaped(shown, byte);
            appendEscaped(shown, static_cast<unsigned char>(text[++i]));
        } else if (byte < 0x20 || byte == 0x7f) {
            appendEscaped(shown, byte);
        } else {
            shown += text[i];
        }
    }
    return shown;
}
