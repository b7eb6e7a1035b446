#pragma once
#include <string>
#include <vector>

#include <fontconfig/fontconfig.h>

// fontconfig, loaded on first use and kept until the process ends (the
// patterns it hands out may live that long). Linked in, its start-up work
// would slow down every start that finds its typefaces without it: the window
// with its typeface cache, and every calendar that needs no font of its own.
struct FontconfigLibrary {
    decltype(&FcNameParse) nameParse = nullptr;
    decltype(&FcPatternAddInteger) patternAddInteger = nullptr;
    decltype(&FcPatternAddCharSet) patternAddCharSet = nullptr;
    decltype(&FcPatternAddString) patternAddString = nullptr;
    decltype(&FcConfigSubstitute) configSubstitute = nullptr;
    decltype(&FcDefaultSubstitute) defaultSubstitute = nullptr;
    decltype(&FcFontMatch) fontMatch = nullptr;
    decltype(&FcFontSort) fontSort = nullptr;
    decltype(&FcFontSetDestroy) fontSetDestroy = nullptr;
    decltype(&FcPatternGetString) patternGetString = nullptr;
    decltype(&FcPatternGetInteger) patternGetInteger = nullptr;
    decltype(&FcPatternGetCharSet) patternGetCharSet = nullptr;
    decltype(&FcPatternDestroy) patternDestroy = nullptr;
    decltype(&FcCharSetCreate) charSetCreate = nullptr;
    decltype(&FcCharSetAddChar) charSetAddChar = nullptr;
    decltype(&FcCharSetHasChar) charSetHasChar = nullptr;
    decltype(&FcCharSetDestroy) charSetDestroy = nullptr;
    decltype(&FcConfigGetCurrent) configGetCurrent = nullptr;
    decltype(&FcConfigGetConfigFiles) configGetConfigFiles = nullptr;
    decltype(&FcConfigGetConfigDirs) configGetConfigDirs = nullptr;
    decltype(&FcConfigGetFontDirs) configGetFontDirs = nullptr;
    decltype(&FcConfigGetCacheDirs) configGetCacheDirs = nullptr;
    decltype(&FcStrListNext) strListNext = nullptr;
    decltype(&FcStrListDone) strListDone = nullptr;
    std::string libraryFile;  // the file the library was loaded from, when known
};

// The library, or null when it cannot be loaded whole.
const FontconfigLibrary* fontconfigLibrary();

// Every file and folder whose change could change what fontconfig chooses:
// the library's own file, the configuration files and folders it read, the
// font and cache folders, and the places where a user's own configuration
// and fonts would appear. Meaningful after a look-up.
std::vector<std::string> typefaceLookupInputs();
