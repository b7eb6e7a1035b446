#include "platform/font.h"

#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>

#include "platform/colour.h"
#include "platform/sdl/font_face.h"
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

// How a typeface measures per pixel of em: its line height and the average
// width of English text (lower-case letters and space weighted by how often
// they occur), which is what "average character width" asks for.
struct TypefaceMetrics {
    TypefaceFile file;
    double cellPerEm = 0;
    double averageWidthPerEm = 0;
};

constexpr std::array<std::pair<char, int>, 27> letterFrequencies = {{
    {'a', 64}, {'b', 14}, {'c', 27}, {'d', 35},  {'e', 100}, {'f', 20}, {'g', 14},
    {'h', 42}, {'i', 63}, {'j', 3},  {'k', 6},   {'l', 35},  {'m', 20}, {'n', 56},
    {'o', 56}, {'p', 17}, {'q', 4},  {'r', 49},  {'s', 56},  {'t', 71}, {'u', 31},
    {'v', 10}, {'w', 18}, {'x', 3},  {'y', 18},  {'z', 2},   {' ', 166},
}};

std::optional<TypefaceMetrics> measureTypeface(bool bold)
{
    std::optional<TypefaceFile> file = findSansSerifTypeface(bold);
    if (!file)
        return std::nullopt;
    constexpr double referenceEm = 1000.0;
    const unsigned dpi = emToDpi(referenceEm);
    TtfFontHandle font(TTF_OpenFontIndexDPI(file->path.c_str(), basePointSize, file->index, dpi, dpi));
    if (!font)
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
    return TypefaceMetrics{*file, TTF_FontHeight(font.get()) / em, weighted / total / em};
}

const std::optional<TypefaceMetrics>& typefaceMetrics(bool bold)
{
    static const std::optional<TypefaceMetrics> normal = measureTypeface(false);
    static const std::optional<TypefaceMetrics> heavy = measureTypeface(true);
    return bold ? heavy : normal;
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
    TtfFontHandle font(TTF_OpenFontIndexDPI(metrics->file.path.c_str(), basePointSize,
                                            metrics->file.index, emToDpi(emWide), emToDpi(emHigh)));
    if (!font)
        return nullptr;
    auto face = std::make_shared<FontFace>();
    face->cellHeight = TTF_FontHeight(font.get());
    face->ttf = std::move(font);
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

int Font::cellHeight() const { return face ? face->cellHeight : 0; }

int Font::textWidth(const char* text) const
{
    int w = 0;
    if (face && text && *text)
        TTF_SizeUTF8(face->ttf.get(), text, &w, nullptr);
    return w;
}
