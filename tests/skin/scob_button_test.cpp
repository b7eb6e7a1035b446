#include <gtest/gtest.h>

#include "skin/scob_button.h"
#include "skin/scob_state_button.h"
#include "skin/skin_instance.h"
#include "skin_test_support.h"

namespace {

constexpr Colour green = rgbColour(0, 255, 0);
constexpr Colour strip = rgbColour(234, 228, 221);
constexpr Colour black = rgbColour(0, 0, 0);

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
    EXPECT_TRUE(button.isDirty());
}

TEST_F(PushButton, LeavingCancelsThePressForGood)
{
    button.mouseButton(20, 20, 1, 0);
    button.mouseMove(100, 100);
    EXPECT_EQ(button.state(), 1);
    EXPECT_TRUE(button.isDirty());
    button.mouseMove(20, 20);
    EXPECT_EQ(button.state(), 1);
    EXPECT_FALSE(button.mouseButton(20, 20, 2, 0));
}

TEST_F(PushButton, ReleaseWithoutPressIsNoClickButMarksDirty)
{
    EXPECT_FALSE(button.mouseButton(20, 20, 2, 0));
    EXPECT_TRUE(button.isDirty());
    EXPECT_EQ(button.state(), 1);
}

TEST_F(PushButton, LeaveWhileNotPressedChangesNothing)
{
    button.mouseMove(100, 100);
    EXPECT_FALSE(button.isDirty());
}

TEST(ScobButtonCaption, StateTwoSharesTheStateOneCaptionUntilGivenItsOwn)
{
    scobButton button;
    button.setCaption("Create Calendar", 1);
    EXPECT_EQ(button.caption(1), "Create Calendar");
    EXPECT_EQ(button.caption(2), "Create Calendar");
    button.setCaption("Pressed", 2);
    button.setCaption("Other", 1);
    EXPECT_EQ(button.caption(2), "Pressed");
}

TEST(ScobButtonCaption, OnlyAChangedTextMarksDirty)
{
    scobButton button;
    button.setCaption("Go", 1);
    button.setDirty(false);
    button.setCaption("Go", 1);
    EXPECT_FALSE(button.isDirty());
    button.setCaption("Go!", 1);
    EXPECT_TRUE(button.isDirty());
}

TEST(ScobButtonCaption, StatesOutsideTheTenCaptionsAreIgnored)
{
    scobButton button;
    button.setDirty(false);
    button.setCaption("x", 10);
    button.setCaption("x", -1);
    EXPECT_FALSE(button.isDirty());
    EXPECT_EQ(button.caption(10), "");
}

TEST(ScobButtonConstruction, VisibleInteractiveInStateOne)
{
    scobButton button;
    EXPECT_TRUE(button.isVisible());
    EXPECT_TRUE(button.isInteractive());
    EXPECT_TRUE(button.isDirty());
    EXPECT_EQ(button.state(), 1);
    scobStateButton toggle;
    EXPECT_EQ(toggle.state(), 1);
    EXPECT_EQ(toggle.stateCount(), 2);
    EXPECT_FALSE(toggle.isPressPending());
}

class StateButton : public ::testing::Test {
protected:
    void SetUp() override { toggle.setup(431, 1, 20, 20, skin, 7, 8, 2, 15, 6, 1); }
    skinInstance skin;
    scobStateButton toggle;
};

TEST_F(StateButton, EachCompletedClickToggles)
{
    toggle.mouseButton(440, 10, 1, 0);
    EXPECT_EQ(toggle.state(), 1);  // no pressed look
    EXPECT_TRUE(toggle.mouseButton(440, 10, 2, 0));
    EXPECT_EQ(toggle.state(), 2);
    toggle.mouseButton(440, 10, 1, 0);
    EXPECT_TRUE(toggle.mouseButton(440, 10, 2, 0));
    EXPECT_EQ(toggle.state(), 1);
}

TEST_F(StateButton, PressStaysPendingUntilAReleaseOverIt)
{
    toggle.mouseButton(440, 10, 1, 0);
    toggle.mouseMove(0, 300);
    EXPECT_FALSE(toggle.mouseButton(0, 300, 2, 0));
    EXPECT_TRUE(toggle.isPressPending());
    EXPECT_TRUE(toggle.mouseButton(440, 10, 2, 0));
    EXPECT_EQ(toggle.state(), 2);
    EXPECT_FALSE(toggle.mouseButton(440, 10, 2, 0));
}

TEST_F(StateButton, ReleaseWithoutPressIsNoClick)
{
    EXPECT_FALSE(toggle.mouseButton(440, 10, 2, 0));
    EXPECT_EQ(toggle.state(), 1);
}

// Pixels

TEST(ScobButtonPixels, WithoutBitmapDrawsTheBoxInFillAndBorder)
{
    skinInstance skin;
    scobButton button;
    button.setup(10, 10, 20, 40, skin, 0, 8, 2, 15, 7, 0);
    const DrawSurface surface = drawnAlone(button, 60, 40);
    EXPECT_EQ(surface.pixel(10, 10), green);
    EXPECT_EQ(surface.pixel(49, 29), green);
    EXPECT_EQ(surface.pixel(30, 29), green);
    EXPECT_EQ(surface.pixel(11, 11), strip);
    EXPECT_EQ(surface.pixel(30, 20), strip);
    EXPECT_EQ(surface.pixel(50, 20), untouched);
    EXPECT_EQ(surface.pixel(30, 30), untouched);
    EXPECT_EQ(surface.pixel(9, 10), untouched);
}

TEST(ScobButtonPixels, BitmapButtonShowsTheBitmapAndNoBox)
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
    EXPECT_EQ(surface.pixel(2, 4), untouched);
}

TEST(ScobButtonPixels, InvisibleButtonDrawsNoFace)
{
    skinInstance skin;
    scobButton button;
    button.setup(0, 0, 10, 10, skin, 0, 8, 2, 15, 7, 0);
    button.setVisible(false);
    DrawSurface surface = blankSurface(20, 20);
    DrawContext dc = surface.context();
    button.drawFace(dc);
    EXPECT_EQ(surface.pixel(0, 0), untouched);
}

TEST(ScobButtonPixels, PressedCaptionIsOnePixelLowerAndRight)
{
    skinInstance skin;
    scobButton button;
    // Fill role 17 is black, so the caption in role 0 shows on a role-8 label instead.
    button.setup(0, 0, 70, 170, skin, 0, 8, 8, 18, 8, 1);
    button.setCaption("Create Calendar", 1);

    const DrawSurface normal = drawnAlone(button, 170, 70);
    button.press();
    const DrawSurface pressed = drawnAlone(button, 170, 70);

    const InkBox a = inkBounds(normal, strip);
    const InkBox b = inkBounds(pressed, strip);
    ASSERT_FALSE(a.isEmpty()) << "no caption drawn";
    EXPECT_EQ(b.left, a.left + 1);
    EXPECT_EQ(b.top, a.top + 1);
    EXPECT_EQ(b.right, a.right + 1);
    EXPECT_EQ(b.bottom, a.bottom + 1);
    // Centred in the box, within a pixel or two.
    EXPECT_NEAR(a.left + a.right, 170, 3);
    EXPECT_NEAR(a.top + a.bottom, 70, 4);
}

TEST(ScobButtonPixels, EmptyCaptionDrawsNoText)
{
    skinInstance skin;
    scobButton button;
    button.setup(0, 0, 20, 40, skin, 0, 8, 8, 15, 7, 0);
    const DrawSurface surface = drawnAlone(button, 40, 20);
    const InkBox box = inkBounds(surface, strip);
    EXPECT_TRUE(box.isEmpty());
}

}  // namespace
