#include "platform/sdl/fontconfig_library.h"

#include <cstdlib>
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

void addAll(std::vector<std::string>& paths, FcStrList* list)
{
    if (!list)
        return;
    while (const FcChar8* path = fontconfigLibrary()->strListNext(list))
        paths.emplace_back(reinterpret_cast<const char*>(path));
    fontconfigLibrary()->strListDone(list);
}

// $name when it is an absolute path, otherwise $HOME followed by `fallback`.
std::string baseFolder(const char* name, const char* fallback)
{
    if (const char* value = std::getenv(name); value && value[0] == '/')
        return value;
    const char* home = std::getenv("HOME");
    return home && home[0] == '/' ? std::string(home) + fallback : std::string();
}

}  // namespace

const FontconfigLibrary* fontconfigLibrary()
{
    static const std::optional<FontconfigLibrary> loaded = loadFontconfig();
    return loaded ? &*loaded : nullptr;
}

std::vector<std::string> typefaceLookupInputs()
{
    std::vector<std::string> paths;
    const FontconfigLibrary* fc = fontconfigLibrary();
    if (!fc)
        return paths;
    if (!fc->libraryFile.empty())
        paths.push_back(fc->libraryFile);
    FcConfig* config = fc->configGetCurrent();
    addAll(paths, fc->configGetConfigFiles(config));
    addAll(paths, fc->configGetConfigDirs(config));
    addAll(paths, fc->configGetFontDirs(config));
    addAll(paths, fc->configGetCacheDirs(config));
    // Where configuration and fonts of the user's own would appear; their
    // coming into being shows in these folders.
    const std::string configHome = baseFolder("XDG_CONFIG_HOME", "/.config");
    const std::string dataHome = baseFolder("XDG_DATA_HOME", "/.local/share");
    if (!configHome.empty()) {
        paths.push_back(configHome + "/fontconfig");
        paths.push_back(configHome + "/fontconfig/conf.d");
    }
    if (!dataHome.empty())
        paths.push_back(dataHome + "/fonts");
    if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
        paths.push_back(std::string(home) + "/.fonts");
        paths.push_back(std::string(home) + "/.fonts.conf");
        paths.push_back(std::string(home) + "/.fonts.conf.d");
    }
    return paths;
}
