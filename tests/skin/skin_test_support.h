#pragma once

#include "platform/colour.h"
#include "platform/draw_surface.h"
#include "skin/scob.h"

// A colour no control or bitmap of the theme uses, to see what was left unpainted.
inline constexpr Colour untouched = rgbColour(1, 2, 3);

inline DrawSurface blankSurface(int width, int height)
{
    DrawSurface surface(width, height);
    surface.fill(untouched);
    return surface;
}

// The control drawn, bitmap and face, on a blank surface of the given size.
inline DrawSurface drawnAlone(scob& control, int width, int height)
{
    DrawSurface surface = blankSurface(width, height);
    DrawContext dc = surface.context();
    control.draw(dc);
    return surface;
}
