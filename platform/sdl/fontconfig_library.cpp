#include "platform/sdl/fontconfig_library.h"

#include <dlfcn.h>
#include <optional>

namespace {

template <typename Function>
bool resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

std::optional<FontconfigLibrary> loadFontconfig()
{
    void* library = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return std::nullopt;
    FontconfigLibrary fc;
    const bool complete =
        resolve(library, "FcNameParse", fc.nameParse) && resolve(library, "FcPatternAddInteger", fc.patternAddInteger) &&
        resolve(library, "FcPatternAddCharSet", fc.patternAddCharSet) &&
        resolve(library, "FcPatternAddString", fc.patternAddString) &&
        resolve(library, "FcConfigSubstitute", fc.configSubstitute) &&
        resolve(library, "FcDefaultSubstitute", fc.defaultSubstitute) &&
        resolve(library, "FcFontMatch", fc.fontMatch) && resolve(library, "FcFontSort", fc.fontSort) &&
        resolve(library, "FcFontSetDestroy", fc.fontSetDestroy) && resolve(library, "FcPatternGetString", fc.patternGetString) &&
        resolve(library, "FcPatternGetInteger", fc.patternGetInteger) &&
        resolve(library, "FcPatternGetCharSet", fc.patternGetCharSet) &&
        resolve(library, "FcPatternDestroy", fc.patternDestroy) &&
        resolve(library, "FcCharSetCreate", fc.charSetCreate) &&
        resolve(library, "FcCharSetAddChar", fc.charSetAddChar) &&
        resolve(library, "FcCharSetHasChar", fc.charSetHasChar) &&
        resolve(library, "FcCharSetDestroy", fc.charSetDestroy) &&
        resolve(library, "FcConfigGetCurrent", fc.configGetCurrent) &&
        resolve(library, "FcConfigGetConfigFiles", fc.configGetConfigFiles) &&
        resolve(library, "FcConfigGetConfigDirs", fc.configGetConfigDirs) &&
        resolve(library, "FcConfigGetFontDirs", fc.configGetFontDirs) &&
        resolve(library, "FcConfigGetCacheDirs", fc.configGetCacheDirs) &&
        resolve(library, "FcStrListNext", fc.strListNext) && resolve(library, "FcStrListDone", fc.strListDone);
    if (!complete)
        return std::nullopt;
    // A new release of the library may choose differently: its file is one of
    // the things a kept choice depends on.
    if (Dl_info info{}; dladdr(reinterpret_cast<void*>(fc.nameParse), &info) && info.dli_fname)
        fc.libraryFile = info.dli_fname;
    return fc;
}

}  // namespace

const FontconfigLibrary* fontconfigLibrary()
{
    static const std::optional<FontconfigLibrary> loaded = loadFontconfig();
    return loaded ? &*loaded : nullptr;
}
