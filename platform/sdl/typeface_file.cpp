#include "platform/sdl/typeface_file.h"

#include <memory>

#include <fontconfig/fontconfig.h>

namespace {
struct PatternDestroy {
    void operator()(FcPattern* p) const noexcept { FcPatternDestroy(p); }
};
using PatternHandle = std::unique_ptr<FcPattern, PatternDestroy>;
}  // namespace

std::optional<TypefaceFile> findSansSerifTypeface(bool bold)
{
    PatternHandle pattern(FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif")));
    if (!pattern)
        return std::nullopt;
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternHandle match(FcFontMatch(nullptr, pattern.get(), &result));
    if (!match)
        return std::nullopt;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file)
        return std::nullopt;
    int index = 0;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    return TypefaceFile{reinterpret_cast<const char*>(file), index};
}
