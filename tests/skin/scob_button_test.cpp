#include <gtest/gtest.h>

#include "skin/scob_button.h"
#include "skin/scob_state_button.h"
#include "skin/skin_instance.h"
#include "skin_test_support.h"

namespace {

constexpr Colour green = rgbColour(0, 255, 0);
constexpr Colour strip = rgbColour(234, 228, 221);

class PushButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        button.setup(10, 10, 20, 40, skin, 0, 8, 2, 15, 7, 0);
        button.setDirty(false);
    }
    skinInstance skin;
    scobButton button;
};

TEST_F(PushButton, PressAndReleaseOverItCompletesAClick)
{
    EXPECT_TRUE(button.mouseButton(20, 20, 1, 0));
    EXPECT_EQ(button.state(), 2);
    EXPECT_TRUE(button.mouseButton(20, 20, 2, 0));
    EXPECT_EQ(button.state(), 1);
}

TEST_F(PushButton, LeavingCancelsThePressForGood)
{
    button.mouseButton(20, 20, 1, 0);
    button.setDirty(false);
    button.mouseMove(100, 100);
    EXPECT_EQ(button.state(), 1);
    EXPECT_TRUE(button.isDirty());
    button.mouseMove(20, 20);
    EXPECT_FALSE(button.mouseButton(20, 20, 2, 0));
}

TEST_F(PushButton, ReleaseWithoutPressIsNoClickButMarksDirty)
{
    EXPECT_FALSE(button.mouseButton(20, 20, 2, 0));
    EXPECT_TRUE(button.isDirty());
    EXPECT_EQ(button.state(), 1);
}

TEST(ScobButtonCaption, StateTwoSharesTheStateOneCaptionUntilGivenItsOwn)
{
    scobButton button;
    button.setCaption("Create Calendar", 1);
    EXPECT_EQ(button.caption(2), "Create Calendar");
    button.setCaption("Pressed", 2);
    button.setCaption("Other", 1);
    EXPECT_EQ(button.caption(2), "Pressed");
}

TEST(ScobButtonCaption, OnlyAChangedTextInRangeMarksDirty)
{
    scobButton button;
    button.setCaption("Go", 1);
    button.setDirty(false);
    button.setCaption("Go", 1);
    button.setCaption("x", 10);
    button.setCaption("x", -1);
    EXPECT_FALSE(button.isDirty());
    EXPECT_EQ(button.caption(10), "");
    button.setCaption("Go!", 1);
    EXPECT_TRUE(button.isDirty());
}

class StateButton : public ::testing::Test {
protected:
    void SetUp() override { toggle.setup(431, 1, 20, 20, skin, 7, 8, 2, 15, 6, 1); }
    skinInstance skin;
    scobStateButton toggle;
};

TEST_F(StateButton, EachCompletedClickTogglesWithoutAPressedLook)
{
    toggle.mouseButton(440, 10, 1, 0);
    EXPECT_EQ(toggle.state(), 1);
    EXPECT_TRUE(toggle.mouseButton(440, 10, 2, 0));
    EXPECT_EQ(toggle.state(), 2);
    toggle.mouseButton(440, 10, 1, 0);
    EXPECT_TRUE(toggle.mouseButton(440, 10, 2, 0));
    EXPECT_EQ(toggle.state(), 1);
    EXPECT_FALSE(toggle.mouseButton(440, 10, 2, 0));
}

TEST_F(StateButton, PressStaysPendingUntilAReleaseOverIt)
{
    toggle.mouseButton(440, 10, 1, 0);
    toggle.mouseMove(0, 300);
    EXPECT_FALSE(toggle.mouseButton(0, 300, 2, 0));
    EXPECT_TRUE(toggle.isPressPending());
    EXPECT_TRUE(toggle.mouseButton(440, 10, 2, 0));
    EXPECT_EQ(toggle.state(), 2);
}

TEST(ScobButtonPixels, WithoutBitmapDrawsTheBoxInFillAndBorder)
{
    skinInstance skin;
    scobButton button;
    button.setup(10, 10, 20, 40, skin, 0, 8, 2, 15, 7, 0);
    const DrawSurface surface = drawnAlone(button, 60, 40);
    EXPECT_EQ(surface.pixel(10, 10), green);
    EXPECT_EQ(surface.pixel(49, 29), green);
    EXPECT_EQ(surface.pixel(11, 11), strip);
    EXPECT_EQ(surface.pixel(30, 20), strip);
    EXPECT_EQ(surface.pixel(50, 20), untouched);
    EXPECT_EQ(surface.pixel(30, 30), untouched);
    for (int y = 11; y < 29; ++y)  // empty caption: nothing over the fill
        for (int x = 11; x < 49; ++x)
            ASSERT_EQ(surface.pixel(x, y), strip) << x << "," << y;
}

TEST(ScobButtonPixels, BitmapButtonShowsTheBitmapClippedAndNoBox)
{
    skinInstance skin;
    scobButton titleStrip;
    titleStrip.setup(3, 4, 5, 10, skin, 7, 17, 17, 10, 5, 0);
    titleStrip.setBitmapRole(2);
    const DrawSurface surface = drawnAlone(titleStrip, 30, 20);
    EXPECT_EQ(surface.pixel(3, 4), strip);
    EXPECT_EQ(surface.pixel(12, 8), strip);
    EXPECT_EQ(surface.pixel(13, 8), untouched);
    EXPECT_EQ(surface.pixel(12, 9), untouched);
}

TEST(ScobButtonPixels, PressedCaptionIsOnePixelLowerAndRight)
{
    skinInstance skin;
    scobButton button;
    button.setup(0, 0, 70, 170, skin, 0, 8, 8, 18, 8, 1);
    button.setCaption("Create Calendar", 1);
    const InkBox normal = inkBounds(drawnAlone(button, 170, 70), strip);
    button.press();
    const InkBox pressed = inkBounds(drawnAlone(button, 170, 70), strip);

    ASSERT_FALSE(normal.isEmpty()) << "no caption drawn";
    EXPECT_EQ(pressed.left, normal.left + 1);
    EXPECT_EQ(pressed.top, normal.top + 1);
    EXPECT_EQ(pressed.right, normal.right + 1);
    EXPECT_EQ(pressed.bottom, normal.bottom + 1);
    EXPECT_NEAR(normal.left + normal.right, 170, 3);
    EXPECT_NEAR(normal.top + normal.bottom, 70, 4);
}

}  // namespace
