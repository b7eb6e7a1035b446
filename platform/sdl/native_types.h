#pragma once
// What the SDL layer keeps behind the opaque types of the shared headers.
#include "platform/bitmap.h"
#include "platform/draw_context.h"
#include "platform/sdl/surface_handle.h"

struct Bitmap::Native {
    SurfaceHandle surface;
};

// A context draws straight into the surface's pixels.
struct DrawTarget {
    SurfaceHandle surface;
};

inline SDL_Surface* sdlSurfaceOf(const Bitmap& bitmap)
{
    return bitmap.native() ? bitmap.native()->surface.get() : nullptr;
}
