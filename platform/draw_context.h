#pragma once
#include <string_view>

#include "platform/bitmap.h"
#include "platform/colour.h"
#include "platform/font.h"

// The picture a context draws on; defined only inside platform/.
struct DrawTarget;

// A rectangle by its edges; right and bottom lie just outside it.
struct DrawRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The one-pixel outline and the interior of a rectangle.
struct Pen {
    Colour colour = 0;
};
struct Brush {
    Colour colour = 0;
};

enum class TextAlign { left, centre, right };

// Draws on a 32-bit surface with the few operations the skin controls need.
// Everything is clipped to the surface; nothing is kept between calls. A context
// without a surface draws nothing. Contexts come from DrawSurface::context().
class DrawContext {
public:
    explicit DrawContext(DrawTarget* surface) : target(surface) {}

    // Copies the top-left width x height of the bitmap opaquely to (x, y);
    // parts beyond the bitmap's own size are left untouched.
    void copyBitmap(const Bitmap& bitmap, int x, int y, int width, int height);
    // The same, skipping every source pixel of the transparent colour.
    void copyBitmapTransparent(const Bitmap& bitmap, int x, int y, int width, int height,
                               Colour transparent);
    // Outline on the rectangle's outermost pixels, interior in the brush. The
    // rectangle covers columns left .. right - 1 and rows top .. bottom - 1.
    void rectangle(const DrawRect& rect, Pen pen, Brush brush);
    // One line of text over a transparent background, vertically centred in the
    // rectangle and aligned horizontally as asked; nothing outside the
    // rectangle is touched.
    void drawText(std::string_view text, const DrawRect& rect, const Font& font, Colour colour,
                  TextAlign align);

private:
    DrawTarget* target;
};
