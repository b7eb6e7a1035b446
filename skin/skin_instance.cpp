#include "skin/skin_instance.h"

#include <array>
#include <utility>

#include "platform/colour.h"

namespace {

// Colour roles 0 .. 8, variant 1.
constexpr std::array<Colour, 9> themeColours = {
    rgbColour(0, 0, 0),        // text
    rgbColour(255, 150, 125),  // list caption rows
    rgbColour(0, 255, 0),      // row under the pointer, borders
    rgbColour(0, 0, 255),
    rgbColour(255, 255, 0),    // chosen row
    rgbColour(0, 255, 255),
    rgbColour(255, 0, 255),
    rgbColour(255, 255, 255),  // ordinary rows
    rgbColour(234, 228, 221),  // title strip and web-address label
};

struct BitmapRole {
    int role;
    int normal;   // state 1
    int pressed;  // state 2; 0 = none
};
constexpr std::array<BitmapRole, 7> themeBitmaps = {{
    {1, 101, 0},    // window background
    {2, 104, 0},    // title strip
    {3, 102, 103},  // always-on-top toggle: pin lying, pin upright
    {4, 105, 106},  // calendar-page button
    {5, 107, 108},  // translucency toggle: T, T with check mark
    {6, 111, 0},    // marker of the chosen list row
    {7, 112, 113},  // "Create Calendar" button
}};

}  // namespace

void skinInstance::loadSkins()
{
    setSkinName(0, "1");
    for (int role = 0; role < static_cast<int>(themeColours.size()); ++role)
        setColour(0, role, 1, static_cast<int>(themeColours[role]));
    for (const BitmapRole& b : themeBitmaps) {
        setBitmapId(0, b.role, 1, b.normal);
        setBitmapId(0, b.role, 2, b.pressed);
    }
    setSkinCount(1);
    setCurrentSkin(0);
}
