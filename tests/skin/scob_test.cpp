#include <gtest/gtest.h>

#include "skin/scob_image.h"
#include "skin/skin_instance.h"
#include "skin_test_support.h"

namespace {

TEST(ScobHitTest, BothEdgesAreInclusive)
{
    scob c;
    c.setRect(10, 10, 20, 20);
    EXPECT_TRUE(c.isOver(10, 10));
    EXPECT_TRUE(c.isOver(30, 30));
    EXPECT_TRUE(c.isOver(30, 10));
    EXPECT_FALSE(c.isOver(9, 10));
    EXPECT_FALSE(c.isOver(10, 31));
    EXPECT_FALSE(c.isOver(31, 20));
}

TEST(ScobHitTest, ControlAtTheEndOfTheIntRangeDoesNotOverflow)
{
    scob c;
    c.setRect(2147483600, 0, 100, 10);
    EXPECT_TRUE(c.isOver(2147483647, 5));
    EXPECT_FALSE(c.isOver(-2147483647, 5));
}

TEST(ScobConstruction, StartsDirtyHiddenPassiveWithoutBitmap)
{
    scob c;
    EXPECT_TRUE(c.isDirty());
    EXPECT_FALSE(c.isVisible());
    EXPECT_FALSE(c.isInteractive());
    EXPECT_EQ(c.bitmapRole(), -1);
    EXPECT_EQ(c.state(), 0);
    EXPECT_EQ(c.stateCount(), 1);
}

class ScobMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        control.setRect(10, 10, 20, 20);
        control.setDirty(false);
    }
    RecordingControl control;
};

TEST_F(ScobMouse, ButtonOutsideDoesNothing)
{
    EXPECT_FALSE(control.mouseButton(9, 10, 1, 0));
    EXPECT_FALSE(control.mouseButton(9, 10, 2, 0));
    EXPECT_FALSE(control.isDirty());
    EXPECT_TRUE(control.calls.empty());
}

TEST_F(ScobMouse, PrimaryDownPressesAndUpReleasesWithRelativePosition)
{
    EXPECT_TRUE(control.mouseButton(12, 13, 1, 0));
    EXPECT_TRUE(control.isDirty());
    control.releaseAnswer = false;
    EXPECT_FALSE(control.mouseButton(30, 30, 2, 0));
    control.releaseAnswer = true;
    EXPECT_TRUE(control.mouseButton(30, 30, 2, 0));
    EXPECT_EQ(control.calls, (std::vector<std::string>{"press", "release 20,20", "release 20,20"}));
}

TEST_F(ScobMouse, SecondaryButtonGoesToTheSecondaryOperations)
{
    EXPECT_TRUE(control.mouseButton(15, 15, 1, 1));
    EXPECT_TRUE(control.mouseButton(15, 15, 2, 1));
    EXPECT_EQ(control.calls, (std::vector<std::string>{"secondaryPress", "secondaryRelease"}));
}

TEST_F(ScobMouse, OtherKindsOnlyMarkDirty)
{
    EXPECT_TRUE(control.mouseButton(15, 15, 3, 0));
    EXPECT_TRUE(control.isDirty());
    EXPECT_TRUE(control.calls.empty());
}

TEST_F(ScobMouse, MoveHoversInsideAndLeavesOnEveryMoveOutside)
{
    EXPECT_FALSE(control.mouseMove(0, 0));
    EXPECT_TRUE(control.mouseMove(30, 10));
    EXPECT_FALSE(control.mouseMove(31, 10));
    EXPECT_FALSE(control.mouseMove(40, 10));
    EXPECT_EQ(control.calls, (std::vector<std::string>{"leave", "hover 20,0", "leave", "leave"}));
    EXPECT_FALSE(control.isDirty());
}

TEST(ScobBaseRelease, ImageCompletesAClickOnEveryReleaseOverIt)
{
    scobImage image;
    image.setRect(0, 0, 10, 10);
    EXPECT_TRUE(image.mouseButton(5, 5, 2, 0));
}

TEST(ScobVisible, OnlyAChangeMarksDirty)
{
    scob c;
    c.setVisible(true);
    c.setDirty(false);
    c.setVisible(true);
    EXPECT_FALSE(c.isDirty());
    c.setVisible(false);
    EXPECT_TRUE(c.isDirty());
    EXPECT_FALSE(c.isVisible());
}

TEST(ScobDraw, WithoutBitmapRoleOnlyTheFaceIsDrawn)
{
    skinInstance skin;
    RecordingControl c;
    c.setSkin(skin);
    c.setRect(0, 0, 10, 10);
    const DrawSurface surface = drawnAlone(c, 20, 20);
    EXPECT_EQ(c.calls, std::vector<std::string>{"drawFace"});
    EXPECT_EQ(surface.pixel(0, 0), untouched);
}

TEST(ScobDraw, BitmapFollowsTheState)
{
    skinInstance skin;
    RecordingControl c;
    c.setSkin(skin);
    c.setRect(0, 0, 20, 20);
    c.setBitmapRole(5);  // letter T, with a check mark in state 2
    DrawSurface surface = blankSurface(20, 20);
    DrawContext dc = surface.context();

    c.setState(1);
    c.draw(dc);
    const Colour plain = surface.pixel(16, 13);
    c.setState(2);
    c.draw(dc);
    EXPECT_NE(surface.pixel(16, 13), plain);
    EXPECT_EQ(surface.pixel(16, 13), rgbColour(0, 0, 0));
}

TEST(ScobDraw, WithoutSkinNothingIsCopied)
{
    RecordingControl c;
    c.setRect(0, 0, 20, 20);
    c.setBitmapRole(1);
    const DrawSurface surface = drawnAlone(c, 20, 20);
    EXPECT_EQ(surface.pixel(0, 0), untouched);
    EXPECT_EQ(c.calls, std::vector<std::string>{"drawFace"});
}

}  // namespace
