#include "platform/sdl/typeface_cache.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <set>
#include <string_view>
#include <sys/stat.h>

#include "platform/file_save.h"
#include "platform/sdl/mapped_file.h"
#include "platform/small_file.h"
#include "platform/truetype_face.h"

namespace {

constexpr const char* formatLine = "orvelplan typefaces 2";
// A whole cache ends with the line "end", so one cut short is never taken
// for one with fewer stamps or answers.
constexpr std::string_view lastLine = "\nend\n";
// A cache written by the program is a few kilobytes; anything larger is not one.
constexpr std::size_t largestCache = 64 << 10;
// Pages in this many sets of characters (languages, footers) keep their
// typefaces; an older set is asked for again.
constexpr std::size_t keptTexts = 16;

std::string& cacheFile()
{
    static std::string path;
    return path;
}

// The text up to the next `separator`, taken off the front of `text` with it.
std::string_view nextField(std::string_view& text, char separator)
{
    const std::size_t end = std::min(text.find(separator), text.size());
    const std::string_view field = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    return field;
}

// The next word of `line` as a decimal number; false when it is none.
template <typename Number>
bool number(std::string_view& line, Number& value)
{
    const std::string_view word = nextField(line, ' ');
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size() && !word.empty();
}

// Hexadecimal floating point: the measured ratios come back bit for bit.
std::string exactly(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

bool sameFile(const TypefaceFile& a, const TypefaceFile& b)
{
    return a.path == b.path && a.index == b.index;
}

// The folders above `path`, made where missing; a failure shows when the file is written.
void makeFoldersAbove(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0777);
}

}  // namespace

FileStamp stampOf(const std::string& path)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return {path, false, 0, 0, 0};
    return {path, true, static_cast<long long>(status.st_mtim.tv_sec), status.st_mtim.tv_nsec,
            static_cast<long long>(status.st_size)};
}

bool TypefaceCache::operator==(const TypefaceCache& other) const
{
    auto sameFace = [](const TypefaceMetrics& a, const TypefaceMetrics& b) {
        return sameFile(a.file, b.file) && a.cellPerEm == b.cellPerEm && a.averageWidthPerEm == b.averageWidthPerEm;
    };
    auto sameText = [](const TextTypeface& a, const TextTypeface& b) {
        return a.characters == b.characters && sameFile(a.file, b.file);
    };
    return environment == other.environment && stamps == other.stamps && faces.has_value() == other.faces.has_value() &&
           (!faces || (sameFace((*faces)[0], (*other.faces)[0]) && sameFace((*faces)[1], (*other.faces)[1]))) &&
           measurer == other.measurer &&
           std::equal(texts.begin(), texts.end(), other.texts.begin(), other.texts.end(), sameText);
}

std::string formatTypefaceCache(const TypefaceCache& cache)
{
    std::string text = std::string(formatLine) + "\n";
    text += "environment " + cache.environment + "\n";
    for (const FileStamp& stamp : cache.stamps) {
        text += stamp.exists ? "file " + std::to_string(stamp.seconds) + " " + std::to_string(stamp.nanoseconds) +
                                   " " + std::to_string(stamp.size)
                             : std::string("absent - - -");
        text += " " + stamp.path + "\n";
    }
    if (cache.faces) {
        text += "measured " + cache.measurer + "\n";
        for (std::size_t weight = 0; weight < cache.faces->size(); ++weight) {
            const TypefaceMetrics& face = (*cache.faces)[weight];
            text += "face " + std::to_string(weight) + " " + std::to_string(face.file.index) + " " +
                    exactly(face.cellPerEm) + " " + exactly(face.averageWidthPerEm) + " " + face.file.path + "\n";
        }
    }
    for (const TextTypeface& kept : cache.texts)
        text += "text " + kept.characters + " " + std::to_string(kept.file.index) + " " + kept.file.path + "\n";
    return text.append(lastLine.substr(1));
}

std::optional<TypefaceCache> parseTypefaceCache(const std::string& text)
{
    if (!text.ends_with(lastLine))
        return std::nullopt;
    std::string_view lines = std::string_view(text).substr(0, text.size() - lastLine.size() + 1);
    if (nextField(lines, '\n') != formatLine)
        return std::nullopt;
    TypefaceCache cache;
    std::array<TypefaceMetrics, 2> faces;
    std::array<bool, 2> faceSeen{};
    bool environmentSeen = false;
    bool measurerSeen = false;
    while (!lines.empty()) {
        // Words are split by one space; the last field (a path, the
        // environment) is the rest of the line, spaces and all.
        std::string_view line = nextField(lines, '\n');
        const std::string_view kind = nextField(line, ' ');
        if (kind == "environment") {
            cache.environment = line;
            environmentSeen = true;
        } else if (kind == "measured") {
            cache.measurer = line;
            measurerSeen = !line.empty();
        } else if (kind == "file" || kind == "absent") {
            FileStamp stamp;
            stamp.exists = kind == "file";
            const bool read = stamp.exists ? number(line, stamp.seconds) && number(line, stamp.nanoseconds) &&
                                                 number(line, stamp.size)
                                           : nextField(line, ' ') == "-" && nextField(line, ' ') == "-" &&
                                                 nextField(line, ' ') == "-";
            stamp.path = line;
            if (!read || stamp.path.empty())
                return std::nullopt;
            cache.stamps.push_back(std::move(stamp));
        } else if (kind == "face") {
            std::size_t weight = 0;
            TypefaceMetrics face;
            if (!number(line, weight) || weight >= faceSeen.size() || !number(line, face.file.index))
                return std::nullopt;
            face.cellPerEm = std::strtod(std::string(nextField(line, ' ')).c_str(), nullptr);
            face.averageWidthPerEm = std::strtod(std::string(nextField(line, ' ')).c_str(), nullptr);
            face.file.path = line;
            if (face.file.path.empty() || !(face.cellPerEm > 0) || !(face.averageWidthPerEm > 0))
                return std::nullopt;
            faces[weight] = std::move(face);
            faceSeen[weight] = true;
        } else if (kind == "text") {
            TextTypeface kept;
            kept.characters = nextField(line, ' ');
            if (kept.characters.empty() || !number(line, kept.file.index) || line.empty())
                return std::nullopt;
            kept.file.path = line;
            cache.texts.push_back(std::move(kept));
        } else {
            return std::nullopt;
        }
    }
    // The window's typefaces come both or not at all, and never without what measured them.
    if (!environmentSeen || faceSeen[0] != faceSeen[1] || faceSeen[0] != measurerSeen)
        return std::nullopt;
    if (faceSeen[0])
        cache.faces = faces;
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

std::string typefaceLookupEnvironment()
{
    // fontconfig's files and folders, and the languages it prefers fonts for.
    std::string text;
    for (const char* name : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "HOME", "XDG_CONFIG_HOME",
                             "XDG_DATA_HOME", "XDG_CACHE_HOME", "FC_LANG", "LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        text += std::string(name) + "=" + (value ? value : "") + " ";
    }
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

std::string charactersKey(const std::u32string& characters)
{
    std::u32string set = characters;
    std::sort(set.begin(), set.end());
    set.erase(std::unique(set.begin(), set.end()), set.end());
    // 64-bit FNV-1a over the code points: a match is only a hint, as the
    // typeface is checked for every character before it is used.
    std::uint64_t hash = 14695981039346656037u;
    for (char32_t c : set)
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (static_cast<std::uint32_t>(c) >> shift) & 0xFF;
            hash *= 1099511628211u;
        }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::optional<TypefaceCache> readTypefaceCache(const std::string& path, const std::string& environment)
{
    if (path.empty())
        return std::nullopt;
    const SmallFileRead read = readSmallFile(path, largestCache + 1);
    if (read.outcome != SmallFileRead::Outcome::read || read.content.size() > largestCache)
        return std::nullopt;
    std::optional<TypefaceCache> cache = parseTypefaceCache(read.content);
    if (!cache || !stillHolds(*cache, environment))
        return std::nullopt;
    return cache;
}

std::optional<TypefaceFile> keptTextTypeface(const TypefaceCache& cache, const std::u32string& characters)
{
    const std::string key = charactersKey(characters);
    const auto kept = std::find_if(cache.texts.begin(), cache.texts.end(),
                                   [&](const TextTypeface& text) { return text.characters == key; });
    if (kept == cache.texts.end())
        return std::nullopt;
    // Only the character map is read, so only its pages of the file are.
    const std::shared_ptr<const MappedFile> bytes = MappedFile::open(kept->file.path);
    if (!bytes)
        return std::nullopt;
    const std::string_view file(static_cast<const char*>(bytes->data()), bytes->size());
    if (const auto face = TrueTypeFace::read(file, kept->file.index); face && face->covers(characters))
        return kept->file;
    return std::nullopt;
}

void saveTypefaceCache(const std::string& path, TypefaceCache fresh, const std::vector<std::string>& lookupInputs)
{
    if (path.empty())
        return;
    try {
        if (const std::optional<TypefaceCache> earlier = readTypefaceCache(path, fresh.environment)) {
            if (!fresh.faces) {
                fresh.faces = earlier->faces;
                fresh.measurer = earlier->measurer;
            }
            for (const TextTypeface& text : earlier->texts)
                if (fresh.texts.size() < keptTexts &&
                    std::none_of(fresh.texts.begin(), fresh.texts.end(),
                                 [&](const TextTypeface& other) { return other.characters == text.characters; }))
                    fresh.texts.push_back(text);
        }
        std::vector<std::string> files = lookupInputs;
        if (fresh.faces)
            for (const TypefaceMetrics& face : *fresh.faces)
                files.push_back(face.file.path);
        for (const TextTypeface& text : fresh.texts)
            files.push_back(text.file.path);
        std::set<std::string> stamped;
        fresh.stamps.clear();
        for (const std::string& file : files)
            if (stamped.insert(file).second)
                fresh.stamps.push_back(stampOf(file));
        // A path with a line break (a strange font file name) cannot be
        // kept in a file of lines: such an answer is not kept.
        const std::string text = formatTypefaceCache(fresh);
        if (parseTypefaceCache(text) != fresh)
            return;
        makeFoldersAbove(path);
        writeFileAtomically(path, text, SpecialTarget::refuse);
    } catch (const std::exception&) {
        // Short of memory: the page or window goes on without keeping the answer.
    }
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
