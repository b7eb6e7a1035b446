#pragma once
// Owning wrappers for the GDI and USER handles the layer creates, so every
// one is released on every path, and a guard that puts back what a device
// context had selected.
#include <memory>
#include <type_traits>

#include <windows.h>

struct GdiObjectDelete {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
// A pen, brush, font or bitmap, deleted with DeleteObject.
template <class Handle>
using GdiHandle = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDelete>;

struct MemoryDcDelete {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};
// A device context from CreateCompatibleDC.
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDelete>;

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND of) : window(of), dc(GetDC(of)) {}
    ~WindowDc()
    {
        if (dc)
            ReleaseDC(window, dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc; }

private:
    HWND window;
    HDC dc;
};

// Selects an object into a device context for the guard's lifetime. A GDI
// object must not be deleted while selected, so guards are declared after the
// handles they select.
class Selection {
public:
    Selection(HDC into, HGDIOBJ object) : dc(into), previous(object ? SelectObject(into, object) : nullptr) {}
    ~Selection()
    {
        if (previous && previous != HGDI_ERROR)
            SelectObject(dc, previous);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};
