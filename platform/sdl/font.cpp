#include "platform/font.h"

#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>

#include "platform/colour.h"
#include "platform/sdl/font_face.h"
#include "platform/sdl/fontconfig_library.h"
#include "platform/sdl/mapped_file.h"
#include "platform/sdl/typeface_cache.h"
#include "platform/sdl/typeface_file.h"

namespace {

// SDL_ttf takes whole point sizes, so sizes are set through the resolution
// instead, at a fixed point size: that gives pixel sizes in steps of 10/72 of a
// pixel and lets the horizontal size differ from the vertical one.
constexpr int basePointSize = 10;

unsigned emToDpi(double emPixels)
{
    // em pixels = points x dpi / 72
    const double dpi = std::round(emPixels * 72.0 / basePointSize);
    return dpi < 1.0 ? 1u : static_cast<unsigned>(dpi);
}

// The average width of English text: lower-case letters and space weighted by
// how often they occur.
constexpr std::array<std::pair<char, int>, 27> letterFrequencies = {{
    {'a', 64}, {'b', 14}, {'c', 27}, {'d', 35},  {'e', 100}, {'f', 20}, {'g', 14},
    {'h', 42}, {'i', 63}, {'j', 3},  {'k', 6},   {'l', 35},  {'m', 20}, {'n', 56},
    {'o', 56}, {'p', 17}, {'q', 4},  {'r', 49},  {'s', 56},  {'t', 71}, {'u', 31},
    {'v', 10}, {'w', 18}, {'x', 3},  {'y', 18},  {'z', 2},   {' ', 166},
}};

// Every typeface file is mapped once and stays mapped while a face uses it.
std::shared_ptr<const MappedFile> typefaceBytes(const std::string& path)
{
    static std::map<std::string, std::weak_ptr<const MappedFile>> mapped;
    std::weak_ptr<const MappedFile>& slot = mapped[path];
    std::shared_ptr<const MappedFile> bytes = slot.lock();
    if (!bytes) {
        bytes = MappedFile::open(path);
        slot = bytes;
    }
    return bytes;
}

TtfFontHandle openTypeface(const MappedFile& bytes, int index, unsigned horizontalDpi, unsigned verticalDpi)
{
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!stream)
        return nullptr;
    // SDL_ttf closes the stream with the font (or at once, when it fails).
    return TtfFontHandle(TTF_OpenFontIndexDPIRW(stream, 1, basePointSize, index, horizontalDpi, verticalDpi));
}

// The window's captions are English: printable ASCII. A typeface without
// all of them (a symbol font taken for sans-serif) would draw them as other
// signs, so it is never used for them.
const std::u32string& captionCharacters()
{
    static const std::u32string characters = [] {
        std::u32string all;
        for (char32_t c = 0x20; c < 0x7F; ++c)
            all += c;
        return all;
    }();
    return characters;
}

bool coversCaptions(TTF_Font& font)
{
    for (char32_t c : captionCharacters())
        if (TTF_GlyphIsProvided32(&font, static_cast<Uint32>(c)) == 0)
            return false;
    return true;
}

// The typeface's measures, or nothing when it cannot be opened or lacks a
// caption character.
std::optional<TypefaceMetrics> measureTypeface(const TypefaceFile& file)
{
    constexpr double referenceEm = 1000.0;
    const unsigned dpi = emToDpi(referenceEm);
    const std::shared_ptr<const MappedFile> bytes = typefaceBytes(file.path);
    if (!bytes)
        return std::nullopt;
    const TtfFontHandle font = openTypeface(*bytes, file.index, dpi, dpi);
    if (!font || !coversCaptions(*font))
        return std::nullopt;
    const double em = basePointSize * dpi / 72.0;
    double weighted = 0;
    int total = 0;
    for (const auto& [letter, frequency] : letterFrequencies) {
        int advance = 0;
        if (TTF_GlyphMetrics32(font.get(), static_cast<Uint32>(letter), nullptr, nullptr, nullptr,
                               nullptr, &advance) == 0) {
            weighted += static_cast<double>(advance) * frequency;
            total += frequency;
        }
    }
    if (total == 0)
        return std::nullopt;
    return TypefaceMetrics{file, TTF_FontHeight(font.get()) / em, weighted / total / em};
}

std::optional<TypefaceMetrics> chooseTypeface(bool bold)
{
    std::optional<TypefaceMetrics> metrics;
    findSansSerifTypeface(bold, captionCharacters(), [&metrics](const TypefaceFile& file) {
        metrics = measureTypeface(file);
        return metrics.has_value();
    });
    return metrics;
}

// A kept choice is used again only while its files still show the captions.
bool stillCoversCaptions(const TypefaceMetrics& face)
{
    const std::shared_ptr<const MappedFile> bytes = typefaceBytes(face.file.path);
    const TtfFontHandle font = bytes ? openTypeface(*bytes, face.file.index, 72, 72) : nullptr;
    return font && coversCaptions(*font);
}

// The versions of what measured the typefaces: a kept measure is only used
// again under the same ones.
std::string measurerVersions()
{
    const SDL_version* ttf = TTF_Linked_Version();
    int major = 0;
    int minor = 0;
    int patch = 0;
    TTF_GetFreeTypeVersion(&major, &minor, &patch);
    return "SDL_ttf=" + std::to_string(ttf->major) + "." + std::to_string(ttf->minor) + "." +
           std::to_string(ttf->patch) + " FreeType=" + std::to_string(major) + "." + std::to_string(minor) + "." +
           std::to_string(patch);
}

using ChosenTypefaces = std::array<std::optional<TypefaceMetrics>, 2>;

ChosenTypefaces chooseTypefaces()
{
    const std::string& cachePath = typefaceCacheFile();
    const std::string environment = cachePath.empty() ? std::string() : typefaceLookupEnvironment();
    if (const std::optional<TypefaceCache> cache = readTypefaceCache(cachePath, environment);
        cache && cache->faces && cache->measurer == measurerVersions() && stillCoversCaptions((*cache->faces)[0]) &&
        stillCoversCaptions((*cache->faces)[1]))
        return {(*cache->faces)[0], (*cache->faces)[1]};
    ChosenTypefaces chosen = {chooseTypeface(false), chooseTypeface(true)};
    if (!cachePath.empty() && chosen[0] && chosen[1])
        saveTypefaceCache(cachePath, {environment, {}, std::array{*chosen[0], *chosen[1]}, measurerVersions(), {}},
                          typefaceLookupInputs());
    return chosen;
}

const std::optional<TypefaceMetrics>& typefaceMetrics(bool bold)
{
    static const ChosenTypefaces chosen = chooseTypefaces();
    return chosen[bold ? 1 : 0];
}

bool ttfReady()
{
    static const bool ready = TTF_WasInit() > 0 || TTF_Init() == 0;
    return ready;
}

std::shared_ptr<FontFace> openFace(int height, int averageWidth, bool bold)
{
    const std::optional<TypefaceMetrics>& metrics = typefaceMetrics(bold);
    if (!metrics)
        return nullptr;
    // A cell height of 0 or less asks for a usual default size.
    const double cell = height > 0 ? height : 16;
    const double emHigh = cell / metrics->cellPerEm;
    const double emWide = averageWidth > 0 ? averageWidth / metrics->averageWidthPerEm : emHigh;
    std::shared_ptr<const MappedFile> bytes = typefaceBytes(metrics->file.path);
    if (!bytes)
        return nullptr;
    TtfFontHandle font = openTypeface(*bytes, metrics->file.index, emToDpi(emWide), emToDpi(emHigh));
    if (!font)
        return nullptr;
    auto face = std::make_shared<FontFace>();
    face->cellHeight = TTF_FontHeight(font.get());
    face->ttf = std::move(font);
    face->bytes = std::move(bytes);
    return face;
}

// Every size asked for is opened once and kept for the life of the program,
// together with the glyphs SDL_ttf renders into it, so creating a Font on
// every draw is cheap. The layer starts SDL_ttf itself and relies on it
// staying up until the process ends: nothing may call TTF_Quit.
const std::shared_ptr<FontFace>& cachedFace(int height, int averageWidth, bool bold)
{
    using Key = std::tuple<int, int, bool>;
    static std::map<Key, std::shared_ptr<FontFace>> faces;
    const Key key{height, averageWidth, bold};
    auto found = faces.find(key);
    if (found == faces.end())
        found = faces.emplace(key, openFace(height, averageWidth, bold)).first;
    return found->second;
}

}  // namespace

SDL_Surface* RenderedLines::find(TTF_Font& font, const std::string& text, std::uint32_t rgb)
{
    std::string key(reinterpret_cast<const char*>(&rgb), sizeof rgb);
    key += text;
    if (const auto found = lines.find(key); found != lines.end())
        return found->second.get();
    const SDL_Color ink{static_cast<Uint8>(redOf(rgb)), static_cast<Uint8>(greenOf(rgb)),
                        static_cast<Uint8>(blueOf(rgb)), 255};
    SurfaceHandle line(TTF_RenderUTF8_Blended(&font, text.c_str(), ink));
    if (!line)
        return nullptr;
    SDL_SetSurfaceBlendMode(line.get(), SDL_BLENDMODE_BLEND);
    if (lines.size() >= capacity)
        lines.clear();
    return lines.emplace(std::move(key), std::move(line)).first->second.get();
}

// SDL_ttf renders every size smoothed alike; the quality asked for makes no difference.
Font::Font(int height, int averageWidth, int weight, FontQuality)
{
    if (ttfReady())
        face = cachedFace(height, averageWidth, weight >= 600);
}

