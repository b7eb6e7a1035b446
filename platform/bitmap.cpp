#include "platform/bitmap.h"

#include <SDL.h>

#include "platform/resources.h"

int Bitmap::width() const { return surface ? surface->w : 0; }
int Bitmap::height() const { return surface ? surface->h : 0; }

Bitmap loadBitmap(int id)
{
    const std::span<const std::uint8_t> bytes = findResource(id);
    if (bytes.empty())
        return {};
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!stream)
        return {};
    return Bitmap(SurfaceHandle(SDL_LoadBMP_RW(stream, 1)));
}
