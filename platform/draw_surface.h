#pragma once
#include "platform/colour.h"
#include "platform/draw_context.h"
#include "platform/surface_handle.h"

// An off-screen 32-bit picture of a fixed size to draw a frame into. The window
// copies sdlSurface() to the screen in one step; tests read pixel() back.
class DrawSurface {
public:
    DrawSurface(int width, int height);

    bool isValid() const { return surface != nullptr; }
    int width() const;
    int height() const;
    DrawContext context();
    // For platform code only.
    SDL_Surface* sdlSurface() const { return surface.get(); }

    void fill(Colour colour);
    // The colour at (x, y); 0 outside the surface.
    Colour pixel(int x, int y) const;

private:
    SurfaceHandle surface;
};
