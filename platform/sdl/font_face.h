#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include <SDL_ttf.h>

#include "platform/sdl/mapped_file.h"
#include "platform/sdl/surface_handle.h"

// A typeface opened at one size, shared by every Font of that size. Only
// platform code sees this.
struct TtfFontClose {
    void operator()(TTF_Font* font) const noexcept { TTF_CloseFont(font); }
};
using TtfFontHandle = std::unique_ptr<TTF_Font, TtfFontClose>;

// Lines of text already rendered in this face, by colour and text. The controls
// draw the same few captions on every frame; rendering each once keeps a frame
// cheap. Bounded: when full it is emptied and fills again with what is in use.
class RenderedLines {
public:
    static constexpr std::size_t capacity = 512;

    // The line rendered with alpha, or null when it cannot be rendered.
    SDL_Surface* find(TTF_Font& font, const std::string& text, std::uint32_t rgb);

private:
    std::unordered_map<std::string, SurfaceHandle> lines;
};

struct FontFace {
    // The typeface file's bytes, read by FreeType as long as the font is open:
    // declared first so that it is released last.
    std::shared_ptr<const MappedFile> bytes;
    TtfFontHandle ttf;
    int cellHeight = 0;
    RenderedLines rendered;
};
