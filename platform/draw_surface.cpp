#include "platform/draw_surface.h"

#include <SDL.h>

DrawSurface::DrawSurface(int width, int height)
{
    if (width > 0 && height > 0)
        surface.reset(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_XRGB8888));
}

int DrawSurface::width() const { return surface ? surface->w : 0; }
int DrawSurface::height() const { return surface ? surface->h : 0; }

DrawContext DrawSurface::context() { return DrawContext(surface.get()); }

void DrawSurface::fill(Colour colour)
{
    if (surface)
        SDL_FillRect(surface.get(), nullptr,
                     SDL_MapRGB(surface->format, redOf(colour), greenOf(colour), blueOf(colour)));
}

Colour DrawSurface::pixel(int x, int y) const
{
    if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h)
        return 0;
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    const Uint32 value = reinterpret_cast<const Uint32*>(row)[x];
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return rgbColour(r, g, b);
}
