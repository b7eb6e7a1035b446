#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TypefaceFile {
    std::string path;
    int index = 0;
};

// The file of the system's "sans-serif" typeface in normal or bold weight, as
// fontconfig chooses it, that `accept` takes: fontconfig's first choice, and
// when that is refused (a symbol font set up as sans-serif, a damaged font
// cache) the next ones in fontconfig's order that claim every character of
// `characters`. Nothing when none is taken. Throws std::bad_alloc when memory
// is too short for fontconfig to be trusted (memory_headroom.h).
std::optional<TypefaceFile> findSansSerifTypeface(bool bold, const std::u32string& characters,
                                                  const std::function<bool(const TypefaceFile&)>& accept);

// Every file and folder whose change could change what fontconfig chooses:
// the configuration files and folders it read, the font and cache folders,
// and the places where a user's own configuration and fonts would appear.
// Meaningful after a look-up.
std::vector<std::string> typefaceLookupInputs();
