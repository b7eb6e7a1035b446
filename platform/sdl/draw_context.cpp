#include "platform/draw_context.h"

#include <algorithm>
#include <string>

#include <SDL.h>

#include "platform/sdl/font_face.h"
#include "platform/sdl/native_types.h"

namespace {

Uint32 mapColour(const SDL_Surface& surface, Colour colour)
{
    return SDL_MapRGB(surface.format, redOf(colour), greenOf(colour), blueOf(colour));
}

// Fills the part of the rectangle inside the surface. Written out rather than
// SDL_FillRect, which is several times slower for the small boxes drawn here.
void fillRect(SDL_Surface& surface, int x, int y, int w, int h, Uint32 pixel)
{
    const int left = std::max(x, 0), right = std::min(x + w, surface.w);
    const int top = std::max(y, 0), bottom = std::min(y + h, surface.h);
    if (left >= right || top >= bottom || surface.format->BytesPerPixel != 4)
        return;
    for (int row = top; row < bottom; ++row) {
        auto* line = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface.pixels) + row * surface.pitch);
        std::fill(line + left, line + right, pixel);
    }
}

SDL_Surface* surfaceOf(DrawTarget* target)
{
    return target ? target->surface.get() : nullptr;
}

}  // namespace

void DrawContext::copyBitmap(const Bitmap& bitmap, int x, int y, int width, int height)
{
    SDL_Surface* const surface = surfaceOf(target);
    SDL_Surface* source = sdlSurfaceOf(bitmap);
    if (!surface || !source)
        return;
    const int w = std::min(width, source->w);
    const int h = std::min(height, source->h);
    if (w <= 0 || h <= 0)
        return;
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_SetClipRect(surface, nullptr);
    SDL_Rect from{0, 0, w, h};
    SDL_Rect to{x, y, w, h};
    SDL_BlitSurface(source, &from, surface, &to);
}

void DrawContext::copyBitmapTransparent(const Bitmap& bitmap, int x, int y, int width, int height,
                                        Colour transparent)
{
    SDL_Surface* const surface = surfaceOf(target);
    SDL_Surface* source = sdlSurfaceOf(bitmap);
    if (!surface || !source || surface->format->BytesPerPixel != 4)
        return;
    const int w = std::min(width, source->w);
    const int h = std::min(height, source->h);
    if (w <= 0 || h <= 0)
        return;
    // Comparing in the target's format makes palette and true-colour bitmaps
    // alike: every source pixel that is exactly the transparent colour is skipped.
    const SurfaceHandle converted(SDL_ConvertSurface(source, surface->format, 0));
    if (!converted)
        return;
    const Uint32 colourBits = surface->format->Rmask | surface->format->Gmask | surface->format->Bmask;
    const Uint32 skip = mapColour(*surface, transparent) & colourBits;
    const int firstRow = std::max(0, -y), lastRow = std::min(h, surface->h - y);
    const int firstColumn = std::max(0, -x), lastColumn = std::min(w, surface->w - x);
    for (int row = firstRow; row < lastRow; ++row) {
        const auto* from = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(converted->pixels) + row * converted->pitch);
        auto* to = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) +
                                             (y + row) * surface->pitch) + x;
        for (int column = firstColumn; column < lastColumn; ++column) {
            if ((from[column] & colourBits) != skip)
                to[column] = from[column];
        }
    }
}

void DrawContext::rectangle(const DrawRect& rect, Pen pen, Brush brush)
{
    SDL_Surface* const surface = surfaceOf(target);
    if (!surface)
        return;
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0)
        return;
    fillRect(*surface, rect.left, rect.top, w, h, mapColour(*surface, pen.colour));
    if (w > 2 && h > 2)
        fillRect(*surface, rect.left + 1, rect.top + 1, w - 2, h - 2, mapColour(*surface, brush.colour));
}

void DrawContext::drawText(std::string_view text, const DrawRect& rect, const Font& font,
                           Colour colour, TextAlign align)
{
    SDL_Surface* const surface = surfaceOf(target);
    FontFace* face = font.sizedFace();
    if (!surface || !face || text.empty())
        return;
    SDL_Surface* rendered = face->rendered.find(*face->ttf, std::string(text), colour & 0xFFFFFF);
    if (!rendered)
        return;
    const int boxWidth = rect.right - rect.left;
    const int boxHeight = rect.bottom - rect.top;
    int left = rect.left;
    if (align == TextAlign::centre)
        left += (boxWidth - rendered->w) / 2;
    else if (align == TextAlign::right)
        left = rect.right - rendered->w;
    const int top = rect.top + (boxHeight - face->cellHeight) / 2;

    SDL_Rect clip{rect.left, rect.top, boxWidth, boxHeight};
    if (SDL_SetClipRect(surface, &clip)) {
        SDL_Rect to{left, top, rendered->w, rendered->h};
        SDL_BlitSurface(rendered, nullptr, surface, &to);
    }
    SDL_SetClipRect(surface, nullptr);
}
