#include "platform/bitmap.h"

#include "platform/win32/native_types.h"

Bitmap::Bitmap() = default;
Bitmap::Bitmap(std::unique_ptr<Native> loaded) : image(std::move(loaded)) {}
Bitmap::Bitmap(Bitmap&&) noexcept = default;
Bitmap& Bitmap::operator=(Bitmap&&) noexcept = default;
Bitmap::~Bitmap() = default;

Bitmap loadBitmap(int id)
{
    GdiHandle<HBITMAP> handle(LoadBitmapA(programInstance(), MAKEINTRESOURCEA(id)));
    if (!handle)
        return {};
    BITMAP size{};
    if (GetObjectA(handle.get(), sizeof size, &size) == 0)
        return {};
    return Bitmap(std::make_unique<Bitmap::Native>(Bitmap::Native{std::move(handle), size.bmWidth, size.bmHeight}));
}
