#include "platform/sdl/typeface_file.h"

#include <cstdlib>
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
