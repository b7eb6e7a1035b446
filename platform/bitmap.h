#pragma once
#include "platform/surface_handle.h"

// A picture loaded from the program's embedded resources, released when the
// object goes out of scope.
class Bitmap {
public:
    Bitmap() = default;
    explicit Bitmap(SurfaceHandle loaded) : surface(std::move(loaded)) {}

    bool isLoaded() const { return surface != nullptr; }
    int width() const;
    int height() const;
    // For platform code only, e.g. to hand the icon to the window.
    SDL_Surface* sdlSurface() const { return surface.get(); }

private:
    SurfaceHandle surface;
};

// Loads the bitmap resource with this number (101 .. 113, the icon is 109).
// An unknown number or an unreadable resource gives a bitmap that is not loaded;
// drawing it does nothing.
Bitmap loadBitmap(int id);
