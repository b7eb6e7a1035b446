#include <gtest/gtest.h>

#include "skin/scob_image.h"
#include "skin/skin_instance.h"
#include "skin_test_support.h"

namespace {

constexpr Colour green = rgbColour(0, 255, 0);
constexpr Colour black = rgbColour(0, 0, 0);
constexpr Colour paper = rgbColour(245, 240, 237);

TEST(ScobImage, StartsVisibleAndPassive)
{
    scobImage image;
    EXPECT_TRUE(image.isVisible());
    EXPECT_FALSE(image.isInteractive());
    EXPECT_EQ(image.state(), 1);
}

TEST(ScobImage, SetupTakesHeightBeforeWidth)
{
    skinInstance skin;
    scobImage image;
    image.setup(1, 2, 417, 471, skin, 2, 1);
    EXPECT_EQ(image.width(), 471);
    EXPECT_EQ(image.height(), 417);
    EXPECT_EQ(image.stateCount(), 1);
}

TEST(ScobImagePixels, WithoutBitmapABoxOutlinedInBorderFilledInRoleZero)
{
    skinInstance skin;
    scobImage image;
    image.setup(2, 2, 10, 10, skin, 2, 1);
    const DrawSurface surface = drawnAlone(image, 20, 20);
    EXPECT_EQ(surface.pixel(2, 2), green);
    EXPECT_EQ(surface.pixel(11, 11), green);
    EXPECT_EQ(surface.pixel(5, 5), black);
    EXPECT_EQ(surface.pixel(12, 12), untouched);
    EXPECT_FALSE(image.isDirty());
}

TEST(ScobImagePixels, BitmapIsCopiedAtTheCornerClippedToTheControl)
{
    skinInstance skin;
    scobImage image;
    image.setup(5, 6, 50, 100, skin, 2, 1);
    image.setBitmapRole(1);
    const DrawSurface surface = drawnAlone(image, 120, 70);
    int paperPixels = 0;
    for (int y = 6; y < 56; ++y)
        for (int x = 5; x < 105; ++x)
            paperPixels += surface.pixel(x, y) == paper;
    EXPECT_GT(paperPixels, 100 * 50 / 2);
    EXPECT_NE(surface.pixel(5, 6), untouched);
    EXPECT_NE(surface.pixel(104, 55), untouched);
    EXPECT_EQ(surface.pixel(105, 30), untouched);
    EXPECT_EQ(surface.pixel(50, 56), untouched);
    EXPECT_EQ(surface.pixel(4, 30), untouched);
    EXPECT_NE(surface.pixel(5, 6), green);  // no box under a bitmap
}

TEST(ScobImagePixels, ControlLargerThanItsBitmapShowsOnlyTheBitmap)
{
    skinInstance skin;
    scobImage image;
    image.setup(0, 0, 30, 30, skin, 2, 1);
    image.setBitmapRole(3);  // a 20 x 20 button picture
    const DrawSurface surface = drawnAlone(image, 40, 40);
    EXPECT_EQ(surface.pixel(19, 19), rgbColour(232, 226, 220));
    EXPECT_EQ(surface.pixel(20, 19), untouched);
    EXPECT_EQ(surface.pixel(19, 20), untouched);
    EXPECT_EQ(surface.pixel(25, 25), untouched);
}

TEST(ScobImagePixels, RoleZeroHasNoBitmapAndNoBox)
{
    skinInstance skin;
    scobImage image;
    image.setup(0, 0, 10, 10, skin, 2, 1);
    image.setBitmapRole(0);
    const DrawSurface surface = drawnAlone(image, 20, 20);
    EXPECT_EQ(surface.pixel(0, 0), untouched);
    EXPECT_EQ(surface.pixel(5, 5), untouched);
}

TEST(ScobImagePixels, InvisibleImageKeepsItsDirtyFlag)
{
    skinInstance skin;
    scobImage image;
    image.setup(0, 0, 10, 10, skin, 2, 1);
    image.setVisible(false);
    DrawSurface surface = blankSurface(20, 20);
    DrawContext dc = surface.context();
    image.drawFace(dc);
    EXPECT_TRUE(image.isDirty());
    EXPECT_EQ(surface.pixel(0, 0), untouched);
}

}  // namespace
