#include <tuple>

#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "skin/scob_button.h"
#include "skin/scob_image.h"
#include "skin/skin_instance.h"
#include "skin_test_support.h"

constexpr Colour green = rgbColour(0, 255, 0);
constexpr Colour strip = rgbColour(234, 228, 221);

TEST(DrawRectangle, CoversLeftToRightMinusOneAndTopToBottomMinusOne)
{
    constexpr Colour blue = rgbColour(0, 0, 255);
    DrawSurface surface = blankSurface(10, 10);
    DrawContext dc = surface.context();
    dc.rectangle({2, 3, 7, 8}, Pen{green}, Brush{blue});
    const std::tuple<int, int, Colour> expected[] = {
        {2, 3, green},  {6, 7, green},     {3, 4, blue},      {5, 6, blue},
        {7, 5, untouched}, {4, 8, untouched}, {1, 5, untouched}, {4, 2, untouched}};
    for (auto [x, y, colour] : expected)
        EXPECT_EQ(surface.pixel(x, y), colour) << x << "," << y;
    dc.rectangle({-5, -5, 2, 2}, Pen{green}, Brush{blue});  // clipped at the surface edge
    EXPECT_EQ(std::tuple(surface.pixel(0, 0), surface.pixel(1, 1)), std::tuple(blue, green));
}

TEST(ButtonPixels, BoxInFillAndBorderAndPressedCaptionOnePixelLowerAndRight)
{
    skinInstance skin;
    scobButton button;
    button.setup(10, 10, 20, 40, skin, 0, 8, 2, 15, 7, 0);
    const DrawSurface box = drawnAlone(button, 60, 40);
    const std::tuple<int, int, Colour> expected[] = {
        {10, 10, green}, {49, 29, green},     {49, 10, green},    {11, 11, strip},
        {48, 28, strip}, {50, 20, untouched}, {30, 30, untouched}};
    for (auto [x, y, colour] : expected)
        EXPECT_EQ(box.pixel(x, y), colour) << x << "," << y;

    button.setup(0, 0, 70, 170, skin, 0, 8, 8, 18, 8, 1);
    button.setCaption("Create Calendar", 1);
    const DrawSurface normal = drawnAlone(button, 170, 70);
    button.press();
    const DrawSurface pressed = drawnAlone(button, 170, 70);
    int ink = 0;
    for (int y = 1; y < 68; ++y) {
        for (int x = 1; x < 168; ++x) {
            ink += normal.pixel(x, y) != strip;
            ASSERT_EQ(pressed.pixel(x + 1, y + 1), normal.pixel(x, y)) << x << "," << y;
        }
    }
    EXPECT_GT(ink, 50) << "no caption drawn";
}

TEST(ImagePixels, BitmapIsCopiedAtTheCornerClippedToTheControl)
{
    skinInstance skin;
    scobImage image;
    image.setup(5, 6, 50, 100, skin, 2, 1);  // height before width
    image.setBitmapRole(1);
    const DrawSurface surface = drawnAlone(image, 120, 70);
    DrawSurface bitmap = blankSurface(120, 70);
    DrawContext dc = bitmap.context();
    dc.copyBitmap(loadBitmap(skin.bitmapId(1, image.state())), 0, 0, 120, 70);
    ASSERT_NE(bitmap.pixel(0, 0), untouched);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(surface.pixel(x, y), x >= 5 && x < 105 && y >= 6 && y < 56
                                               ? bitmap.pixel(x - 5, y - 6) : untouched) << x << "," << y;
}
