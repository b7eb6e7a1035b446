#include "platform/typeface_for_text.h"

#include "platform/truetype_face.h"

#include <fstream>
#include <iterator>

#include <windows.h>
#include <shlobj.h>

namespace {

// Common sans-serif TrueType fonts of Windows installations (and of Wine's
// own set), in the order they are tried: the Western ones first, then those
// with Japanese, Chinese (Simplified, then Traditional) and Korean letters.
// Collections name the face that is the regular sans-serif one.
struct FontFile {
    const char* name;
    int index;
};
constexpr FontFile preferredFonts[] = {
    {"arial.ttf", 0},   {"segoeui.ttf", 0}, {"tahoma.ttf", 0}, {"verdana.ttf", 0}, {"calibri.ttf", 0},
    {"YuGothR.ttc", 0}, {"meiryo.ttc", 0},  {"msgothic.ttc", 0}, {"msyh.ttc", 0},  {"msjh.ttc", 0},
    {"simsun.ttc", 0},  {"malgun.ttf", 0}};

}  // namespace

std::optional<TypefaceLocation> findTypefaceFor(const std::u32string& characters)
{
    char folder[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_FONTS, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return std::nullopt;
    for (const FontFile& font : preferredFonts) {
        const std::string path = std::string(folder) + "\\" + font.name;
        std::ifstream file(path, std::ios::binary);
        if (!file)
            continue;
        const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (const auto face = TrueTypeFace::read(bytes, font.index); face && face->covers(characters))
            return TypefaceLocation{path, font.index};
    }
    return std::nullopt;
}
