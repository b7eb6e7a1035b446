#include "platform/draw_surface.h"

#include <SDL.h>

#include "platform/sdl/native_types.h"

DrawSurface::DrawSurface(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    SurfaceHandle pixels(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_XRGB8888));
    if (pixels)
        surface = std::make_unique<DrawTarget>(DrawTarget{std::move(pixels)});
}

DrawSurface::DrawSurface(DrawSurface&&) noexcept = default;
DrawSurface& DrawSurface::operator=(DrawSurface&&) noexcept = default;
DrawSurface::~DrawSurface() = default;

int DrawSurface::width() const { return surface ? surface->surface->w : 0; }
int DrawSurface::height() const { return surface ? surface->surface->h : 0; }

DrawContext DrawSurface::context() { return DrawContext(surface.get()); }

void DrawSurface::fill(Colour colour)
{
    if (!surface)
        return;
    SDL_Surface* pixels = surface->surface.get();
    SDL_FillRect(pixels, nullptr, SDL_MapRGB(pixels->format, redOf(colour), greenOf(colour), blueOf(colour)));
}

Colour DrawSurface::pixel(int x, int y) const
{
    if (!surface)
        return 0;
    const SDL_Surface* pixels = surface->surface.get();
    if (x < 0 || y < 0 || x >= pixels->w || y >= pixels->h)
        return 0;
    const auto* row = static_cast<const Uint8*>(pixels->pixels) + y * pixels->pitch;
    const Uint32 value = reinterpret_cast<const Uint32*>(row)[x];
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(value, pixels->format, &r, &g, &b);
    return rgbColour(r, g, b);
}
