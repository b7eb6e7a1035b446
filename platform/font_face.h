#pragma once
#include <memory>

#include <SDL_ttf.h>

// A typeface opened at one size, shared by every Font of that size. Only
// platform code sees this.
struct TtfFontClose {
    void operator()(TTF_Font* font) const noexcept { TTF_CloseFont(font); }
};
using TtfFontHandle = std::unique_ptr<TTF_Font, TtfFontClose>;

struct FontFace {
    TtfFontHandle ttf;
    int cellHeight = 0;
};
