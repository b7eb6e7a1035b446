#pragma once
#include <optional>
#include <string>

struct TypefaceFile {
    std::string path;
    int index = 0;
};

// The file of the system's "sans-serif" typeface in normal or bold weight, as
// fontconfig chooses it; nothing when fontconfig finds no file.
std::optional<TypefaceFile> findSansSerifTypeface(bool bold);
