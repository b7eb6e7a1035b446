#pragma once
#include <memory>

// The typeface at one size as the system keeps it; defined only inside platform/.
struct FontFace;

inline constexpr int normalWeight = 400;
inline constexpr int boldWeight = 700;

// How the glyph edges are smoothed where the system lets the program choose:
// the system's usual rendering, or sub-pixel smoothing for small text.
enum class FontQuality { standard, clearType };

// A sans-serif font sized the way the controls ask for it: `height` is the
// character cell height in pixels (ascent plus descent), `averageWidth` the
// average character width in pixels (0 = the font's natural width for that
// height), `weight` 400 for normal and 700 for bold (600 and above is bold).
// Creating a Font on every draw is meant: the implementation decides what, if
// anything, it keeps between draws. A Font whose typeface cannot be found is
// not usable and draws no text.
class Font {
public:
    Font(int height, int averageWidth, int weight, FontQuality quality = FontQuality::standard);

    bool isUsable() const { return face != nullptr; }
    // For platform code only.
    FontFace* sizedFace() const { return face.get(); }

private:
    std::shared_ptr<FontFace> face;
};
