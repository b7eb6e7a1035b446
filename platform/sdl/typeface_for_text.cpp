#include "platform/typeface_for_text.h"

#include "platform/sdl/fontconfig_library.h"
#include "platform/sdl/typeface_cache.h"
#include "platform/posix/memory_headroom.h"

namespace {

std::optional<TypefaceLocation> lookUpTypeface(const std::u32string& characters)
{
    // fontconfig is needed only when a page needs a font of its own.
    const FontconfigLibrary* loaded = fontconfigLibrary();
    if (!loaded)
        return std::nullopt;
    const FontconfigLibrary& fc = *loaded;
    FcPattern* pattern = fc.nameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    if (!pattern)
        return std::nullopt;
    FcCharSet* wanted = fc.charSetCreate();
    for (char32_t c : characters)
        fc.charSetAddChar(wanted, c);
    fc.patternAddCharSet(pattern, FC_CHARSET, wanted);
    fc.patternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    fc.patternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    // The PDF library embeds TrueType outlines only.
    fc.patternAddString(pattern, FC_FONTFORMAT, reinterpret_cast<const FcChar8*>("TrueType"));
    fc.configSubstitute(nullptr, pattern, FcMatchPattern);
    fc.defaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = fc.fontMatch(nullptr, pattern, &result);
    fc.patternDestroy(pattern);

    std::optional<TypefaceLocation> found;
    FcChar8* file = nullptr;
    FcCharSet* covered = nullptr;
    if (match && fc.patternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file &&
        fc.patternGetCharSet(match, FC_CHARSET, 0, &covered) == FcResultMatch) {
        // The best match may still lack some characters: then no font will do.
        bool complete = true;
        for (char32_t c : characters)
            complete = complete && fc.charSetHasChar(covered, c);
        int index = 0;
        fc.patternGetInteger(match, FC_INDEX, 0, &index);
        const std::string path = reinterpret_cast<const char*>(file);
        const bool trueType = path.ends_with(".ttf") || path.ends_with(".TTF") || path.ends_with(".ttc") || path.ends_with(".TTC");
        if (complete && trueType)
            found = TypefaceLocation{path, index};
    }
    if (match)
        fc.patternDestroy(match);
    fc.charSetDestroy(wanted);
    return found;
}

}  // namespace

std::optional<TypefaceLocation> findTypefaceFor(const std::u32string& characters)
{
    // An earlier run's answer for the same characters spares loading
    // fontconfig, which reads its whole configuration first.
    const std::string cachePath = userTypefaceCacheFile();
    const std::string environment = typefaceLookupEnvironment();
    if (const std::optional<TypefaceCache> cache = readTypefaceCache(cachePath, environment))
        if (const std::optional<TypefaceFile> kept = keptTextTypeface(*cache, characters))
            return TypefaceLocation{kept->path, kept->index};
    // Nothing found is only believed when memory was not what stopped it.
    requireMemoryForLookup();
    std::optional<TypefaceLocation> found = lookUpTypeface(characters);
    if (!found)
        requireMemoryForLookup();
    else if (!cachePath.empty()) {
        const TextTypeface chosen{charactersKey(characters), {found->path, found->index}};
        saveTypefaceCache(cachePath, {environment, {}, std::nullopt, {}, {chosen}}, typefaceLookupInputs());
    }
    return found;
}
