#pragma once
// What the Win32 layer keeps behind the opaque types of the shared headers.
#include <cstdint>

#include "platform/bitmap.h"
#include "platform/draw_context.h"
#include "platform/font.h"
#include "platform/win32/gdi_handles.h"

struct Bitmap::Native {
    GdiHandle<HBITMAP> handle;
    int width = 0;
    int height = 0;
};

// A 32-bit top-down DIB section selected into a memory device context: GDI
// draws into it, the window copies it with one BitBlt, tests read its pixels.
struct DrawTarget {
    DrawTarget(int pixelsWide, int pixelsHigh);
    ~DrawTarget();
    DrawTarget(const DrawTarget&) = delete;
    DrawTarget& operator=(const DrawTarget&) = delete;
    bool isValid() const { return pixels != nullptr; }

    MemoryDc dc;
    GdiHandle<HBITMAP> frame;
    HGDIOBJ previous = nullptr;
    std::uint32_t* pixels = nullptr;  // 0x00RRGGBB per pixel, rows top to bottom
    int width = 0;
    int height = 0;
};

struct FontFace {
    GdiHandle<HFONT> handle;
};

// The module whose resources hold the bitmaps and the icon: the executable.
inline HINSTANCE programInstance()
{
    return GetModuleHandleA(nullptr);
}
