#include <gtest/gtest.h>

#include "skin/scob_image.h"
#include "skin/skin_instance.h"
#include "skin_test_support.h"

namespace {

constexpr Colour paper = rgbColour(245, 240, 237);

class Image : public ::testing::Test {
protected:
    skinInstance skin;
    scobImage image;
};

TEST_F(Image, WithoutBitmapABoxOutlinedInBorderFilledInRoleZero)
{
    image.setup(2, 2, 10, 10, skin, 2, 1);
    const DrawSurface surface = drawnAlone(image, 20, 20);
    EXPECT_EQ(surface.pixel(2, 2), rgbColour(0, 255, 0));
    EXPECT_EQ(surface.pixel(11, 11), rgbColour(0, 255, 0));
    EXPECT_EQ(surface.pixel(5, 5), rgbColour(0, 0, 0));
    EXPECT_EQ(surface.pixel(12, 12), untouched);
    EXPECT_FALSE(image.isDirty());
}

TEST_F(Image, BitmapIsCopiedAtTheCornerClippedToTheControl)
{
    image.setup(5, 6, 50, 100, skin, 2, 1);  // height before width
    image.setBitmapRole(1);
    const DrawSurface surface = drawnAlone(image, 120, 70);
    int paperPixels = 0;
    for (int y = 6; y < 56; ++y)
        for (int x = 5; x < 105; ++x)
            paperPixels += surface.pixel(x, y) == paper;
    EXPECT_GT(paperPixels, 100 * 50 / 2);
    EXPECT_NE(surface.pixel(104, 55), untouched);
    EXPECT_EQ(surface.pixel(105, 30), untouched);
    EXPECT_EQ(surface.pixel(50, 56), untouched);
    EXPECT_EQ(surface.pixel(4, 30), untouched);
}

TEST_F(Image, ControlLargerThanItsBitmapShowsOnlyTheBitmap)
{
    image.setup(0, 0, 30, 30, skin, 2, 1);
    image.setBitmapRole(3);  // a 20 x 20 button picture
    const DrawSurface surface = drawnAlone(image, 40, 40);
    EXPECT_EQ(surface.pixel(19, 19), rgbColour(232, 226, 220));
    EXPECT_EQ(surface.pixel(20, 19), untouched);
    EXPECT_EQ(surface.pixel(19, 20), untouched);
}

TEST_F(Image, RoleZeroHasNoBitmapAndNoBox)
{
    image.setup(0, 0, 10, 10, skin, 2, 1);
    image.setBitmapRole(0);
    EXPECT_EQ(drawnAlone(image, 20, 20).pixel(0, 0), untouched);
}

TEST_F(Image, InvisibleImageKeepsItsDirtyFlag)
{
    image.setup(0, 0, 10, 10, skin, 2, 1);
    image.setVisible(false);
    EXPECT_EQ(drawnAlone(image, 20, 20).pixel(0, 0), untouched);
    EXPECT_TRUE(image.isDirty());
}

TEST_F(Image, CompletesAClickOnEveryReleaseOverItWhenMadeInteractive)
{
    image.setup(0, 0, 10, 10, skin, 2, 1);
    EXPECT_TRUE(image.mouseButton(5, 5, 2, 0));
}

}  // namespace
