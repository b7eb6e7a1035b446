#include "platform/sdl/typeface_file.h"

#include <cstdlib>
#include <memory>

#include "platform/sdl/fontconfig_library.h"

namespace {

struct PatternDestroy {
    void operator()(FcPattern* p) const noexcept { fontconfigLibrary()->patternDestroy(p); }
};
using PatternHandle = std::unique_ptr<FcPattern, PatternDestroy>;

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

std::optional<TypefaceFile> findSansSerifTypeface(bool bold)
{
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
