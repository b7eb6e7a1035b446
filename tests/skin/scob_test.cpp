#include <gtest/gtest.h>

#include "skin/skin_instance.h"
#include "skin_test_support.h"

namespace {

using Calls = std::vector<std::string>;

TEST(ScobHitTest, BothEdgesAreInclusiveWithoutOverflow)
{
    scob c;
    c.setRect(10, 10, 20, 20);
    for (auto [x, y] : {std::pair{10, 10}, {30, 30}, {30, 10}})
        EXPECT_TRUE(c.isOver(x, y)) << x << "," << y;
    for (auto [x, y] : {std::pair{9, 10}, {10, 31}, {31, 20}})
        EXPECT_FALSE(c.isOver(x, y)) << x << "," << y;
    c.setRect(2147483600, 0, 100, 10);
    EXPECT_TRUE(c.isOver(2147483647, 5));
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

TEST_F(ScobMouse, PrimaryButtonPressesAndReleaseAnswersForTheClick)
{
    EXPECT_TRUE(control.mouseButton(12, 13, 1, 0));
    EXPECT_TRUE(control.isDirty());
    EXPECT_FALSE(control.mouseButton(30, 30, 2, 0));
    control.releaseAnswer = true;
    EXPECT_TRUE(control.mouseButton(30, 30, 2, 0));
    EXPECT_EQ(control.calls, (Calls{"press", "release 20,20", "release 20,20"}));
}

TEST_F(ScobMouse, SecondaryButtonAndOtherKindsAnswerTrue)
{
    EXPECT_TRUE(control.mouseButton(15, 15, 1, 1));
    EXPECT_TRUE(control.mouseButton(15, 15, 2, 1));
    EXPECT_TRUE(control.mouseButton(15, 15, 3, 0));
    EXPECT_TRUE(control.isDirty());
    EXPECT_EQ(control.calls, (Calls{"secondaryPress", "secondaryRelease"}));
}

TEST_F(ScobMouse, MoveHoversInsideAndLeavesOnEveryMoveOutside)
{
    EXPECT_FALSE(control.mouseMove(0, 0));
    EXPECT_TRUE(control.mouseMove(30, 10));
    EXPECT_FALSE(control.mouseMove(31, 10));
    EXPECT_FALSE(control.mouseMove(40, 10));
    EXPECT_EQ(control.calls, (Calls{"leave", "hover 20,0", "leave", "leave"}));
    EXPECT_FALSE(control.isDirty());
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
}

TEST(ScobDraw, BitmapOfRoleAndStateThenFace)
{
    skinInstance skin;
    RecordingControl c;
    c.setRect(0, 0, 20, 20);
    EXPECT_EQ(drawnAlone(c, 20, 20).pixel(0, 0), untouched);  // no skin
    c.setSkin(skin);
    EXPECT_EQ(drawnAlone(c, 20, 20).pixel(0, 0), untouched);  // no bitmap role
    EXPECT_EQ(c.calls, (Calls{"drawFace", "drawFace"}));

    c.setBitmapRole(5);  // letter T, with a check mark at the lower right in state 2
    c.setState(1);
    EXPECT_EQ(drawnAlone(c, 20, 20).pixel(16, 13), rgbColour(232, 226, 220));
    c.setState(2);
    EXPECT_EQ(drawnAlone(c, 20, 20).pixel(16, 13), rgbColour(0, 0, 0));
}

}  // namespace
