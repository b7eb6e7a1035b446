#include "platform/bitmap.h"

#include <SDL.h>

#include "platform/sdl/native_types.h"
#include "platform/sdl/resources.h"

Bitmap::Bitmap() = default;
Bitmap::Bitmap(std::unique_ptr<Native> loaded) : image(std::move(loaded)) {}
Bitmap::Bitmap(Bitmap&&) noexcept = default;
Bitmap& Bitmap::operator=(Bitmap&&) noexcept = default;
Bitmap::~Bitmap() = default;

Bitmap loadBitmap(int id)
{
    const std::span<const std::uint8_t> bytes = findResource(id);
    if (bytes.empty())
        return {};
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!stream)
        return {};
    SurfaceHandle surface(SDL_LoadBMP_RW(stream, 1));
    if (!surface)
        return {};
    return Bitmap(std::make_unique<Bitmap::Native>(Bitmap::Native{std::move(surface)}));
}
