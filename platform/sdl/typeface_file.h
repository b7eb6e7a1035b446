#pragma once
#include <functional>
#include <optional>
#include <string>

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
