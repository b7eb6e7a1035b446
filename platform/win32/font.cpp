#include "platform/font.h"

#include <cstring>

#include "platform/win32/native_types.h"

namespace {

// A device context to measure in, with the font selected for the call.
template <class Measure>
int measured(const FontFace* face, Measure measure)
{
    if (!face)
        return 0;
    const MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc)
        return 0;
    const Selection chosen(dc.get(), face->handle.get());
    return measure(dc.get());
}

}  // namespace

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

int Font::cellHeight() const
{
    return measured(face.get(), [](HDC dc) {
        TEXTMETRICA metrics{};
        return GetTextMetricsA(dc, &metrics) ? static_cast<int>(metrics.tmHeight) : 0;
    });
}

int Font::textWidth(const char* text) const
{
    if (!text || !*text)
        return 0;
    return measured(face.get(), [text](HDC dc) {
        SIZE size{};
        return GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size) ? static_cast<int>(size.cx) : 0;
    });
}
