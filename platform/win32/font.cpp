#include "platform/font.h"

#include "platform/win32/native_types.h"

// Made afresh for every draw and deleted with it: GDI keeps the glyphs itself.
Font::Font(int height, int averageWidth, int weight, FontQuality quality)
{
    const DWORD smoothing = quality == FontQuality::clearType ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
    GdiHandle<HFONT> handle(CreateFontA(height, averageWidth, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, smoothing,
                                        DEFAULT_PITCH | FF_DONTCARE, nullptr));
    if (handle)
        face = std::make_shared<FontFace>(FontFace{std::move(handle)});
}
