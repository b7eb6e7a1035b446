#include "platform/sdl/typeface_cache.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <sys/stat.h>

namespace {

constexpr const char* formatLine = "orvelplan typefaces 1";

std::string& cacheFile()
{
    static std::string path;
    return path;
}

// Paths and the environment text end their line, so they may hold spaces.
std::string restOfLine(std::istringstream& line)
{
    std::string rest;
    std::getline(line >> std::ws, rest);
    return rest;
}

// Hexadecimal floating point: the measured ratios come back bit for bit.
std::string exactly(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

}  // namespace

FileStamp stampOf(const std::string& path)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return {path, false, 0, 0};
    return {path, true, static_cast<long long>(status.st_mtim.tv_sec), status.st_mtim.tv_nsec};
}

bool TypefaceCache::operator==(const TypefaceCache& other) const
{
    auto same = [](const TypefaceMetrics& a, const TypefaceMetrics& b) {
        return a.file.path == b.file.path && a.file.index == b.file.index && a.cellPerEm == b.cellPerEm &&
               a.averageWidthPerEm == b.averageWidthPerEm;
    };
    return environment == other.environment && stamps == other.stamps && same(faces[0], other.faces[0]) &&
           same(faces[1], other.faces[1]);
}

std::string formatTypefaceCache(const TypefaceCache& cache)
{
    std::string text = std::string(formatLine) + "\n";
    text += "environment " + cache.environment + "\n";
    for (const FileStamp& stamp : cache.stamps) {
        text += stamp.exists ? "file " + std::to_string(stamp.seconds) + " " + std::to_string(stamp.nanoseconds)
                             : std::string("absent - -");
        text += " " + stamp.path + "\n";
    }
    for (std::size_t weight = 0; weight < cache.faces.size(); ++weight) {
        const TypefaceMetrics& face = cache.faces[weight];
        text += "face " + std::to_string(weight) + " " + std::to_string(face.file.index) + " " +
                exactly(face.cellPerEm) + " " + exactly(face.averageWidthPerEm) + " " + face.file.path + "\n";
    }
    return text;
}

std::optional<TypefaceCache> parseTypefaceCache(const std::string& text)
{
    std::istringstream lines(text);
    std::string lineText;
    if (!std::getline(lines, lineText) || lineText != formatLine)
        return std::nullopt;
    TypefaceCache cache;
    std::array<bool, 2> faceSeen{};
    bool environmentSeen = false;
    while (std::getline(lines, lineText)) {
        std::istringstream line(lineText);
        std::string kind;
        line >> kind;
        if (kind == "environment") {
            cache.environment = restOfLine(line);
            environmentSeen = true;
        } else if (kind == "file" || kind == "absent") {
            FileStamp stamp;
            stamp.exists = kind == "file";
            if (stamp.exists) {
                if (!(line >> stamp.seconds >> stamp.nanoseconds))
                    return std::nullopt;
            } else {
                std::string dash1, dash2;
                line >> dash1 >> dash2;
            }
            stamp.path = restOfLine(line);
            if (stamp.path.empty())
                return std::nullopt;
            cache.stamps.push_back(std::move(stamp));
        } else if (kind == "face") {
            std::size_t weight = 0;
            TypefaceMetrics face;
            std::string cell, width;
            if (!(line >> weight >> face.file.index >> cell >> width) || weight >= faceSeen.size())
                return std::nullopt;
            face.cellPerEm = std::strtod(cell.c_str(), nullptr);
            face.averageWidthPerEm = std::strtod(width.c_str(), nullptr);
            face.file.path = restOfLine(line);
            if (face.file.path.empty() || !(face.cellPerEm > 0) || !(face.averageWidthPerEm > 0))
                return std::nullopt;
            cache.faces[weight] = std::move(face);
            faceSeen[weight] = true;
        } else {
            return std::nullopt;
        }
    }
    if (!environmentSeen || !faceSeen[0] || !faceSeen[1])
        return std::nullopt;
    return cache;
}

bool stillHolds(const TypefaceCache& cache, const std::string& environment)
{
    if (cache.environment != environment)
        return false;
    for (const FileStamp& stamp : cache.stamps) {
        if (stampOf(stamp.path) != stamp)
            return false;
    }
    return true;
}

std::string userTypefaceCacheFile()
{
    constexpr const char* name = "/orvel/orvelplan/typefaces";
    // The XDG rules say a relative XDG_CACHE_HOME is invalid and must be ignored.
    if (const char* cacheHome = std::getenv("XDG_CACHE_HOME"); cacheHome && cacheHome[0] == '/')
        return cacheHome + std::string(name);
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return home + std::string("/.cache") + name;
    return {};
}

void useTypefaceCacheFile(std::string path)
{
    cacheFile() = std::move(path);
}

const std::string& typefaceCacheFile()
{
    return cacheFile();
}
