#pragma once
#include <memory>

#include "platform/colour.h"
#include "platform/draw_context.h"

// An off-screen 32-bit picture of a fixed size to draw a frame into. The window
// copies it to the screen in one step; tests read pixel() back.
class DrawSurface {
public:
    DrawSurface(int width, int height);
    DrawSurface(DrawSurface&&) noexcept;
    DrawSurface& operator=(DrawSurface&&) noexcept;
    ~DrawSurface();

    bool isValid() const { return surface != nullptr; }
    int width() const;
    int height() const;
    DrawContext context();
    // For platform code only.
    DrawTarget* target() const { return surface.get(); }

    void fill(Colour colour);
    // The colour at (x, y); 0 outside the surface.
    Colour pixel(int x, int y) const;

private:
    std::unique_ptr<DrawTarget> surface;
};
