#include "platform/sdl/surface_handle.h"

#include <SDL.h>

void SdlSurfaceFree::operator()(SDL_Surface* surface) const noexcept
{
    SDL_FreeSurface(surface);
}
