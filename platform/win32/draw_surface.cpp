#include "platform/draw_surface.h"

#include "platform/win32/native_types.h"

DrawTarget::DrawTarget(int pixelsWide, int pixelsHigh) : dc(CreateCompatibleDC(nullptr))
{
    if (!dc)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixelsWide;
    info.bmiHeader.biHeight = -pixelsHigh;  // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    frame.reset(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!frame || !bits)
        return;
    previous = SelectObject(dc.get(), frame.get());
    pixels = static_cast<std::uint32_t*>(bits);
    width = pixelsWide;
    height = pixelsHigh;
}

DrawTarget::~DrawTarget()
{
    if (previous)
        SelectObject(dc.get(), previous);
}

DrawSurface::DrawSurface(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    auto target = std::make_unique<DrawTarget>(width, height);
    if (target->isValid())
        surface = std::move(target);
}

DrawSurface::DrawSurface(DrawSurface&&) noexcept = default;
DrawSurface& DrawSurface::operator=(DrawSurface&&) noexcept = default;
DrawSurface::~DrawSurface() = default;

int DrawSurface::width() const { return surface ? surface->width : 0; }
int DrawSurface::height() const { return surface ? surface->height : 0; }

DrawContext DrawSurface::context() { return DrawContext(surface.get()); }

void DrawSurface::fill(Colour colour)
{
    if (!surface)
        return;
    const GdiHandle<HBRUSH> brush(CreateSolidBrush(colour & 0xFFFFFF));
    const RECT all{0, 0, surface->width, surface->height};
    if (brush)
        FillRect(surface->dc.get(), &all, brush.get());
}

Colour DrawSurface::pixel(int x, int y) const
{
    if (!surface || x < 0 || y < 0 || x >= surface->width || y >= surface->height)
        return 0;
    // GDI may still hold drawing calls back in a batch.
    GdiFlush();
    const std::uint32_t value = surface->pixels[static_cast<std::size_t>(y) * surface->width + x];
    return rgbColour(static_cast<int>(value >> 16), static_cast<int>(value >> 8), static_cast<int>(value));
}
