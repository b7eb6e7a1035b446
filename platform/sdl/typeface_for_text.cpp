#include "platform/typeface_for_text.h"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

namespace {

// fontconfig is opened only when a page needs a font of its own: linked into
// the executable, its start-up work would slow down every other calendar.
struct Fontconfig {
    decltype(&FcNameParse) nameParse = nullptr;
    decltype(&FcPatternAddInteger) addInteger = nullptr;
    decltype(&FcPatternAddCharSet) addCharSet = nullptr;
    decltype(&FcPatternAddString) addString = nullptr;
    decltype(&FcConfigSubstitute) substitute = nullptr;
    decltype(&FcDefaultSubstitute) defaultSubstitute = nullptr;
    decltype(&FcFontMatch) match = nullptr;
    decltype(&FcPatternGetString) getString = nullptr;
    decltype(&FcPatternGetInteger) getInteger = nullptr;
    decltype(&FcPatternGetCharSet) getCharSet = nullptr;
    decltype(&FcPatternDestroy) destroy = nullptr;
    decltype(&FcCharSetCreate) charSetCreate = nullptr;
    decltype(&FcCharSetAddChar) charSetAdd = nullptr;
    decltype(&FcCharSetHasChar) charSetHas = nullptr;
    decltype(&FcCharSetDestroy) charSetDestroy = nullptr;

    bool load()
    {
        void* library = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return false;
        const auto find = [library](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
            return function != nullptr;
        };
        return find(nameParse, "FcNameParse") && find(addInteger, "FcPatternAddInteger") &&
               find(addCharSet, "FcPatternAddCharSet") && find(addString, "FcPatternAddString") &&
               find(substitute, "FcConfigSubstitute") && find(defaultSubstitute, "FcDefaultSubstitute") &&
               find(match, "FcFontMatch") && find(getString, "FcPatternGetString") &&
               find(getInteger, "FcPatternGetInteger") && find(getCharSet, "FcPatternGetCharSet") &&
               find(destroy, "FcPatternDestroy") && find(charSetCreate, "FcCharSetCreate") &&
               find(charSetAdd, "FcCharSetAddChar") && find(charSetHas, "FcCharSetHasChar") &&
               find(charSetDestroy, "FcCharSetDestroy");
    }
};

}  // namespace

std::optional<TypefaceLocation> findTypefaceFor(const std::u32string& characters)
{
    Fontconfig fc;
    if (!fc.load())
        return std::nullopt;
    FcPattern* pattern = fc.nameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    if (!pattern)
        return std::nullopt;
    FcCharSet* wanted = fc.charSetCreate();
    for (char32_t c : characters)
        fc.charSetAdd(wanted, c);
    fc.addCharSet(pattern, FC_CHARSET, wanted);
    fc.addInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    fc.addInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    // The PDF library embeds TrueType outlines only.
    fc.addString(pattern, FC_FONTFORMAT, reinterpret_cast<const FcChar8*>("TrueType"));
    fc.substitute(nullptr, pattern, FcMatchPattern);
    fc.defaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = fc.match(nullptr, pattern, &result);
    fc.destroy(pattern);

    std::optional<TypefaceLocation> found;
    FcChar8* file = nullptr;
    FcCharSet* covered = nullptr;
    if (match && fc.getString(match, FC_FILE, 0, &file) == FcResultMatch && file &&
        fc.getCharSet(match, FC_CHARSET, 0, &covered) == FcResultMatch) {
        // The best match may still lack some characters: then no font will do.
        bool complete = true;
        for (char32_t c : characters)
            complete = complete && fc.charSetHas(covered, c);
        int index = 0;
        fc.getInteger(match, FC_INDEX, 0, &index);
        const std::string path = reinterpret_cast<const char*>(file);
        const bool trueType = path.ends_with(".ttf") || path.ends_with(".TTF") || path.ends_with(".ttc") || path.ends_with(".TTC");
        if (complete && trueType)
            found = TypefaceLocation{path, index};
    }
    if (match)
        fc.destroy(match);
    fc.charSetDestroy(wanted);
    return found;
}
