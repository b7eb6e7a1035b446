#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/sdl/typeface_file.h"

// How a typeface measures per pixel of em: its line height and the average
// width of English text, which is what "average character width" asks for.
struct TypefaceMetrics {
    TypefaceFile file;
    double cellPerEm = 0;
    double averageWidthPerEm = 0;
};

// What a file looked like when a look-up read it: its modification time and
// size, or that it did not exist.
struct FileStamp {
    std::string path;
    bool exists = false;
    long long seconds = 0;
    long nanoseconds = 0;
    long long size = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp stampOf(const std::string& path);

// The typeface fontconfig chose for a page's text, by the characters it had to show.
struct TextTypeface {
    std::string characters;  // charactersKey() of them
    TypefaceFile file;
};

// The typefaces the system's font configuration chose, kept between runs:
// asking the configuration costs more than everything else the window's
// first frame or a whole calendar page needs. It holds the window's typefaces
// (normal, bold) as measured, and those chosen for the text of recent pages.
// All of it holds while every file the answers came from (configuration
// files and folders, font and font cache folders, the font files) looks as it
// did and the environment that steers the configuration is the same.
struct TypefaceCache {
    std::string environment;
    std::vector<FileStamp> stamps;
    // The window's, with the versions of what measured them (they hold only
    // under the same versions); none until the window has chosen.
    std::optional<std::array<TypefaceMetrics, 2>> faces;  // [0] normal, [1] bold
    std::string measurer;
    std::vector<TextTypeface> texts;  // the newest first

    bool operator==(const TypefaceCache& other) const;
};

std::string formatTypefaceCache(const TypefaceCache& cache);
// Nothing when the text is not a complete cache of this format.
std::optional<TypefaceCache> parseTypefaceCache(const std::string& text);
// True when the environment is the same and every stamp still matches.
bool stillHolds(const TypefaceCache& cache, const std::string& environment);

// The environment variables that steer fontconfig's choice, as one line.
std::string typefaceLookupEnvironment();
// A short name of a set of characters (their order and repeats do not count).
std::string charactersKey(const std::u32string& characters);

// The cache kept in `path` when it is whole and still holds under
// `environment`; nothing otherwise (missing, damaged, too large, stale).
std::optional<TypefaceCache> readTypefaceCache(const std::string& path, const std::string& environment);
// The typeface `cache` keeps for these characters when its file is still a
// TrueType face with every one of them; nothing otherwise.
std::optional<TypefaceFile> keptTextTypeface(const TypefaceCache& cache, const std::u32string& characters);
// Keeps the answers of `fresh`, just looked up, in `path`, together with
// those of the cache there that still hold, stamped now: the files of
// `lookupInputs` and every answer's typeface file. Best effort: a cache that
// cannot be written only means the next run asks fontconfig again.
void saveTypefaceCache(const std::string& path, TypefaceCache fresh, const std::vector<std::string>& lookupInputs);

// $XDG_CACHE_HOME (or $HOME/.cache) followed by "/orvel/orvelplan/typefaces";
// empty when neither is an absolute path.
std::string userTypefaceCacheFile();
// The window program keeps its cache in this file; until it is set (tests,
// benchmarks) nothing is read or written and every start asks the system.
void useTypefaceCacheFile(std::string path);
const std::string& typefaceCacheFile();
