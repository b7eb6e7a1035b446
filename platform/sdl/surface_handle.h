#pragma once
#include <memory>

struct SDL_Surface;

// Owning handle for an SDL surface.
struct SdlSurfaceFree {
    void operator()(SDL_Surface* surface) const noexcept;
};
using SurfaceHandle = std::unique_ptr<SDL_Surface, SdlSurfaceFree>;
