#pragma once
// Drawing helpers of the skin and pixel tests.

#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "platform/draw_surface.h"
#include "skin/scob.h"

// A colour no control or bitmap of the theme uses, to see what was left unpainted.
inline constexpr Colour untouched = rgbColour(1, 2, 3);

// A surface of the given size filled with `untouched`, then painted by paint(dc).
inline DrawSurface painted(int width, int height, auto paint)
{
    DrawSurface surface(width, height);
    surface.fill(untouched);
    DrawContext dc = surface.context();
    paint(dc);
    return surface;
}

// The control drawn, bitmap and face, on a blank surface of the given size.
inline DrawSurface drawnAlone(scob& control, int width, int height)
{
    return painted(width, height, [&](DrawContext& dc) { control.draw(dc); });
}

// Each pixel of the width x height area at (left, top) against expected(x, y), relative to the area.
inline void expectArea(const DrawSurface& surface, int left, int top, int width, int height, auto expected)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(surface.pixel(left + x, top + y), expected(x, y)) << x << "," << y;
}
