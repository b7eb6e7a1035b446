#include "platform/typeface_for_text.h"

#include "platform/win32/truetype_coverage.h"

#include <fstream>
#include <iterator>
#include <vector>

#include <windows.h>
#include <shlobj.h>

namespace {

// Common sans-serif TrueType fonts of Windows installations (and of Wine's
// own set), in the order they are tried.
constexpr const char* preferredFonts[] = {"arial.ttf", "segoeui.ttf", "tahoma.ttf", "verdana.ttf", "calibri.ttf"};

}  // namespace

std::optional<TypefaceLocation> findTypefaceFor(const std::u32string& characters)
{
    char folder[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_FONTS, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return std::nullopt;
    for (const char* name : preferredFonts) {
        const std::string path = std::string(folder) + "\\" + name;
        std::ifstream file(path, std::ios::binary);
        if (!file)
            continue;
        const std::vector<unsigned char> font{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (trueTypeCovers(font, characters))
            return TypefaceLocation{path, 0};
    }
    return std::nullopt;
}
