#pragma once

struct FontFace;

inline constexpr int normalWeight = 400;
inline constexpr int boldWeight = 700;

// A sans-serif font sized the way the controls ask for it: `height` is the
// character cell height in pixels (ascent plus descent), `averageWidth` the
// average character width in pixels (0 = the font's natural width for that
// height), `weight` 400 for normal and 700 for bold (600 and above is bold).
// The typeface files and rendered glyphs are kept for the life of the program,
// so creating a Font on every draw is cheap. The layer starts SDL_ttf itself
// and relies on it staying up until the process ends: nothing may call TTF_Quit.
// A Font whose typeface cannot be found is not usable and draws no text.
class Font {
public:
    Font(int height, int averageWidth, int weight);

    bool isUsable() const { return face != nullptr; }
    // Height of one line of text as drawn, in pixels; 0 when not usable.
    int cellHeight() const;
    // Width of the text as drawn, in pixels; 0 when not usable.
    int textWidth(const char* text) const;
    FontFace* sizedFace() const { return face; }

private:
    FontFace* face = nullptr;  // owned by the program-wide font cache
};
