#include "platform/draw_context.h"

#include <algorithm>

#include "platform/win32/native_types.h"

namespace {

COLORREF colorRef(Colour colour)
{
    return colour & 0xFFFFFF;
}

// Selects the bitmap into a memory context made for the target and has
// copy(memory, width, height) copy from it. The size is cut to the part the
// bitmap has pixels for, so what lies under the rest stays as it was.
template <class Copy>
void copyFromBitmap(const DrawTarget* target, const Bitmap& bitmap, int width, int height, Copy copy)
{
    const Bitmap::Native* source = bitmap.native();
    if (!target || !source)
        return;
    width = std::min(width, source->width);
    height = std::min(height, source->height);
    if (width <= 0 || height <= 0)
        return;
    const MemoryDc memory(CreateCompatibleDC(target->dc.get()));
    if (!memory)
        return;
    const Selection picture(memory.get(), source->handle.get());
    copy(memory.get(), width, height);
}

}  // namespace

void DrawContext::copyBitmap(const Bitmap& bitmap, int x, int y, int width, int height)
{
    copyFromBitmap(target, bitmap, width, height, [&](HDC memory, int w, int h) {
        BitBlt(target->dc.get(), x, y, w, h, memory, 0, 0, SRCCOPY);
    });
}

void DrawContext::copyBitmapTransparent(const Bitmap& bitmap, int x, int y, int width, int height,
                                        Colour transparent)
{
    copyFromBitmap(target, bitmap, width, height, [&](HDC memory, int w, int h) {
        TransparentBlt(target->dc.get(), x, y, w, h, memory, 0, 0, w, h, colorRef(transparent));
    });
}

void DrawContext::rectangle(const DrawRect& rect, Pen pen, Brush brush)
{
    if (!target || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    const GdiHandle<HPEN> outline(CreatePen(PS_SOLID, 0, colorRef(pen.colour)));
    const GdiHandle<HBRUSH> interior(CreateSolidBrush(colorRef(brush.colour)));
    if (!outline || !interior)
        return;
    HDC dc = target->dc.get();
    const Selection penChosen(dc, outline.get());
    const Selection brushChosen(dc, interior.get());
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawContext::drawText(std::string_view text, const DrawRect& rect, const Font& font,
                           Colour colour, TextAlign align)
{
    const FontFace* face = font.sizedFace();
    if (!target || !face || text.empty())
        return;
    HDC dc = target->dc.get();
    const Selection fontChosen(dc, face->handle.get());
    SetTextColor(dc, colorRef(colour));
    SetBkMode(dc, TRANSPARENT);
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (align == TextAlign::centre)
        format |= DT_CENTER;
    else if (align == TextAlign::right)
        format |= DT_RIGHT;
    RECT box{rect.left, rect.top, rect.right, rect.bottom};
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &box, format);
}
