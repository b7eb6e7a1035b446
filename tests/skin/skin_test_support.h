#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "platform/colour.h"
#include "platform/draw_surface.h"
#include "skin/scob.h"
#include "skin/scob_skin.h"

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

// The smallest box around every pixel that differs from the background.
struct InkBox {
    int left = 1 << 30;
    int top = 1 << 30;
    int right = -1;
    int bottom = -1;
    bool isEmpty() const { return right < left; }
};

inline InkBox inkBounds(const DrawSurface& surface, Colour background)
{
    InkBox box;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (surface.pixel(x, y) != background) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
        }
    }
    return box;
}

// Three skins that differ in colour role 0 and bitmap role 1.
class ThreeSkins : public scobSkin {
public:
    ThreeSkins() { ThreeSkins::loadSkins(); }
    void loadSkins() override
    {
        for (int s = 0; s < 3; ++s) {
            setSkinName(s, std::to_string(s + 1));
            setColour(s, 0, 1, 0x10 + s);
            setBitmapId(s, 1, 1, 101 + s);
        }
        setSkinCount(3);
    }
};

// Records which of the overridable operations the base protocol calls.
class RecordingControl : public scob {
public:
    std::vector<std::string> calls;
    bool releaseAnswer = false;

    void hover(int relX, int relY) override
    {
        calls.push_back("hover " + std::to_string(relX) + "," + std::to_string(relY));
    }
    void leave() override { calls.push_back("leave"); }
    bool release(int relX, int relY) override
    {
        calls.push_back("release " + std::to_string(relX) + "," + std::to_string(relY));
        return releaseAnswer;
    }
    void secondaryRelease() override { calls.push_back("secondaryRelease"); }
    void press() override { calls.push_back("press"); }
    void secondaryPress() override { calls.push_back("secondaryPress"); }
    void drawFace(DrawContext&) override { calls.push_back("drawFace"); }
};
