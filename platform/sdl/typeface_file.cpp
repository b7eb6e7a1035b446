#include "platform/sdl/typeface_file.h"

#include <cstdlib>
#include <dlfcn.h>
#include <memory>

#include <fontconfig/fontconfig.h>

namespace {

// fontconfig is loaded only when a typeface has to be looked up: most starts
// find their typefaces in the cache, and loading the library (with its XML
// parser) is then work for nothing.
struct Fontconfig {
    decltype(&FcNameParse) nameParse = nullptr;
    decltype(&FcPatternAddInteger) patternAddInteger = nullptr;
    decltype(&FcConfigSubstitute) configSubstitute = nullptr;
    decltype(&FcDefaultSubstitute) defaultSubstitute = nullptr;
    decltype(&FcFontMatch) fontMatch = nullptr;
    decltype(&FcPatternGetString) patternGetString = nullptr;
    decltype(&FcPatternGetInteger) patternGetInteger = nullptr;
    decltype(&FcPatternDestroy) patternDestroy = nullptr;
    decltype(&FcConfigGetCurrent) configGetCurrent = nullptr;
    decltype(&FcConfigGetConfigFiles) configGetConfigFiles = nullptr;
    decltype(&FcConfigGetConfigDirs) configGetConfigDirs = nullptr;
    decltype(&FcConfigGetFontDirs) configGetFontDirs = nullptr;
    decltype(&FcConfigGetCacheDirs) configGetCacheDirs = nullptr;
    decltype(&FcStrListNext) strListNext = nullptr;
    decltype(&FcStrListDone) strListDone = nullptr;
    std::string libraryFile;
};

template <typename Function>
bool resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// Stays loaded until the process ends, as the patterns it hands out may.
std::optional<Fontconfig> loadFontconfig()
{
    void* library = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return std::nullopt;
    Fontconfig fc;
    const bool complete =
        resolve(library, "FcNameParse", fc.nameParse) && resolve(library, "FcPatternAddInteger", fc.patternAddInteger) &&
        resolve(library, "FcConfigSubstitute", fc.configSubstitute) &&
        resolve(library, "FcDefaultSubstitute", fc.defaultSubstitute) &&
        resolve(library, "FcFontMatch", fc.fontMatch) && resolve(library, "FcPatternGetString", fc.patternGetString) &&
        resolve(library, "FcPatternGetInteger", fc.patternGetInteger) &&
        resolve(library, "FcPatternDestroy", fc.patternDestroy) &&
        resolve(library, "FcConfigGetCurrent", fc.configGetCurrent) &&
        resolve(library, "FcConfigGetConfigFiles", fc.configGetConfigFiles) &&
        resolve(library, "FcConfigGetConfigDirs", fc.configGetConfigDirs) &&
        resolve(library, "FcConfigGetFontDirs", fc.configGetFontDirs) &&
        resolve(library, "FcConfigGetCacheDirs", fc.configGetCacheDirs) &&
        resolve(library, "FcStrListNext", fc.strListNext) && resolve(library, "FcStrListDone", fc.strListDone);
    if (!complete)
        return std::nullopt;
    // A new release of the library may choose differently: its file is one of
    // the things the choice depends on.
    if (Dl_info info{}; dladdr(reinterpret_cast<void*>(fc.nameParse), &info) && info.dli_fname)
        fc.libraryFile = info.dli_fname;
    return fc;
}

const Fontconfig* fontconfig()
{
    static const std::optional<Fontconfig> loaded = loadFontconfig();
    return loaded ? &*loaded : nullptr;
}

struct PatternDestroy {
    void operator()(FcPattern* p) const noexcept { fontconfig()->patternDestroy(p); }
};
using PatternHandle = std::unique_ptr<FcPattern, PatternDestroy>;

void addAll(std::vector<std::string>& paths, FcStrList* list)
{
    if (!list)
        return;
    while (const FcChar8* path = fontconfig()->strListNext(list))
        paths.emplace_back(reinterpret_cast<const char*>(path));
    fontconfig()->strListDone(list);
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

std::optional<TypefaceFile> findSansSerifTypeface(bool bold)
{
    const Fontconfig* fc = fontconfig();
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
    PatternHandle match(fc->fontMatch(nullptr, pattern.get(), &result));
    if (!match)
        return std::nullopt;
    FcChar8* file = nullptr;
    if (fc->patternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || !file)
        return std::nullopt;
    int index = 0;
    fc->patternGetInteger(match.get(), FC_INDEX, 0, &index);
    return TypefaceFile{reinterpret_cast<const char*>(file), index};
}

std::vector<std::string> typefaceLookupInputs()
{
    std::vector<std::string> paths;
    const Fontconfig* fc = fontconfig();
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
