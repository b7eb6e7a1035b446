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

// What a file looked like when a look-up read it: its modification time, or
// that it did not exist.
struct FileStamp {
    std::string path;
    bool exists = false;
    long long seconds = 0;
    long nanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp stampOf(const std::string& path);

// The typefaces the system's font configuration chose (normal, bold) and
// measured, kept between runs: asking the configuration costs more at start-up
// than everything else the first frame needs. The answer holds while every
// file it came from (configuration files and folders, font folders, the font
// files) looks as it did and the environment that steers the configuration is
// the same.
struct TypefaceCache {
    std::string environment;
    std::vector<FileStamp> stamps;
    std::array<TypefaceMetrics, 2> faces;  // [0] normal, [1] bold

    bool operator==(const TypefaceCache& other) const;
};

std::string formatTypefaceCache(const TypefaceCache& cache);
// Nothing when the text is not a complete cache of this format.
std::optional<TypefaceCache> parseTypefaceCache(const std::string& text);
// True when the environment is the same and every stamp still matches.
bool stillHolds(const TypefaceCache& cache, const std::string& environment);

// $XDG_CACHE_HOME (or $HOME/.cache) followed by "/orvel/orvelplan/typefaces";
// empty when neither is an absolute path.
std::string userTypefaceCacheFile();
// The window program keeps its cache in this file; until it is set (tests,
// benchmarks) nothing is read or written and every start asks the system.
void useTypefaceCacheFile(std::string path);
const std::string& typefaceCacheFile();
