#include "platform/sdl/typeface_file.h"

#include <memory>

#include "platform/sdl/fontconfig_library.h"
#include "platform/posix/memory_headroom.h"

namespace {

struct PatternDestroy {
    void operator()(FcPattern* p) const noexcept { fontconfigLibrary()->patternDestroy(p); }
};
using PatternHandle = std::unique_ptr<FcPattern, PatternDestroy>;

struct FontSetDestroy {
    void operator()(FcFontSet* set) const noexcept { fontconfigLibrary()->fontSetDestroy(set); }
};
using FontSetHandle = std::unique_ptr<FcFontSet, FontSetDestroy>;

// Candidates tried after fontconfig's first choice: enough to get past a few
// unusable fonts without opening every font on the system.
constexpr int laterCandidates = 16;

std::optional<TypefaceFile> fileOf(const FontconfigLibrary& fc, FcPattern* font)
{
    FcChar8* file = nullptr;
    if (fc.patternGetString(font, FC_FILE, 0, &file) != FcResultMatch || !file)
        return std::nullopt;
    int index = 0;
    fc.patternGetInteger(font, FC_INDEX, 0, &index);
    return TypefaceFile{reinterpret_cast<const char*>(file), index};
}

bool claimsAll(const FontconfigLibrary& fc, FcPattern* font, const std::u32string& characters)
{
    FcCharSet* covered = nullptr;
    if (fc.patternGetCharSet(font, FC_CHARSET, 0, &covered) != FcResultMatch)
        return false;
    for (char32_t c : characters)
        if (!fc.charSetHasChar(covered, c))
            return false;
    return true;
}

}  // namespace

std::optional<TypefaceFile> findSansSerifTypeface(bool bold, const std::u32string& characters,
                                                  const std::function<bool(const TypefaceFile&)>& accept)
{
    requireMemoryForLookup();
    const FontconfigLibrary* fc = fontconfigLibrary();
    if (!fc)
        return std::nullopt;
    PatternHandle pattern(fc->nameParse(reinterpret_cast<const FcChar8*>("sans-serif")));
    if (!pattern)
        return std::nullopt;
    fc->patternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    fc->patternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
    fc->configSubstitute(nullptr, pattern.get(), FcMatchPattern);
    fc->defaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    std::optional<TypefaceFile> first;
    if (PatternHandle match(fc->fontMatch(nullptr, pattern.get(), &result)); match) {
        first = fileOf(*fc, match.get());
        if (first && accept(*first))
            return first;
    }
    FontSetHandle sorted(fc->fontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    int tried = 0;
    for (int i = 0; sorted && i < sorted->nfont && tried < laterCandidates; ++i) {
        const std::optional<TypefaceFile> file = fileOf(*fc, sorted->fonts[i]);
        if (!file || (first && file->path == first->path && file->index == first->index) ||
            !claimsAll(*fc, sorted->fonts[i], characters))
            continue;
        ++tried;
        if (accept(*file))
            return file;
    }
    return std::nullopt;
}
