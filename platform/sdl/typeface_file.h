#pragma once
#include <optional>
#include <string>
#include <vector>

struct TypefaceFile {
    std::string path;
    int index = 0;
};

// The file of the system's "sans-serif" typeface in normal or bold weight, as
// fontconfig chooses it; nothing when fontconfig finds no file.
std::optional<TypefaceFile> findSansSerifTypeface(bool bold);

// Every file and folder whose change could change what fontconfig chooses:
// the configuration files and folders it read, the font and cache folders,
// and the places where a user's own configuration and fonts would appear.
// Meaningful after a look-up.
std::vector<std::string> typefaceLookupInputs();
