#include <tuple>

#include "skin/scob_button.h"
#include "skin/scob_image.h"
#include "skin/skin_instance.h"
#include "tests/support/drawing.h"

constexpr Colour green = rgbColour(0, 255, 0), strip = rgbColour(234, 228, 221), blue = rgbColour(0, 0, 255);

TEST(DrawRectangle, IsClippedAtTheSurfaceEdge)
{
    const DrawSurface s = painted(4, 4, [](DrawContext& dc) { dc.rectangle({-5, -5, 2, 2}, Pen{green}, Brush{blue}); });
    EXPECT_EQ(std::tuple(s.pixel(0, 0), s.pixel(1, 1), s.pixel(2, 2)), std::tuple(blue, green, untouched));
}

// The box edges also show that a rectangle covers columns left .. right - 1 and rows top .. bottom - 1.
TEST(ButtonPixels, BoxInFillAndBorderAndPressedCaptionOnePixelLowerAndRight)
{
    skinInstance skin;
    scobButton button;
    button.setup(10, 10, 20, 40, skin, 0, 8, 2, 15, 7, 0);
    const DrawSurface box = drawnAlone(button, 60, 40);
    for (auto [x, y, colour] : {std::tuple{10, 10, green}, {49, 29, green}, {49, 10, green}, {11, 11, strip},
                                {48, 28, strip}, {50, 20, untouched}, {30, 30, untouched}})
        EXPECT_EQ(box.pixel(x, y), colour) << x << "," << y;

    button.setup(0, 0, 70, 170, skin, 0, 8, 8, 18, 8, 1);
    button.setCaption("Create Calendar", 1);
    const DrawSurface normal = drawnAlone(button, 170, 70);
    button.press();
    int ink = 0;
    expectArea(drawnAlone(button, 170, 70), 2, 2, 167, 67, [&](int x, int y) {
        ink += normal.pixel(x + 1, y + 1) != strip;
        return normal.pixel(x + 1, y + 1);
    });
    EXPECT_GT(ink, 50) << "no caption drawn";
}

TEST(ImagePixels, BitmapIsCopiedAtTheCornerClippedToTheControl)
{
    skinInstance skin;
    scobImage image;
    image.setup(5, 6, 50, 100, skin, 2, 1);  // height before width
    image.setBitmapRole(1);
    const int id = skin.bitmapId(1, image.state());
    const DrawSurface bitmap = painted(120, 70, [&](DrawContext& dc) { dc.copyBitmap(loadBitmap(id), 0, 0, 120, 70); });
    ASSERT_NE(bitmap.pixel(0, 0), untouched);
    expectArea(drawnAlone(image, 120, 70), 0, 0, 120, 70, [&](int x, int y) {
        return x >= 5 && x < 105 && y >= 6 && y < 56 ? bitmap.pixel(x - 5, y - 6) : untouched;
    });
}
