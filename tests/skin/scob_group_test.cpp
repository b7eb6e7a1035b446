#include <array>

#include <gtest/gtest.h>

#include "skin/scob_group.h"
#include "skin_test_support.h"

namespace {

TEST(ScobGroup, KeepsControlsAndCommandNumbersInOrder)
{
    scobGroup group;
    RecordingControl a, b;
    group.add(a, 101);
    group.add(b, 202);
    EXPECT_EQ(group.count(), 2);
    EXPECT_EQ(group.control(0), &a);
    EXPECT_EQ(group.control(1), &b);
    EXPECT_EQ(group.commandNumber(1), 202);
}

TEST(ScobGroup, IndexesOutsideTheEntriesGiveNoControlAndNoCommand)
{
    scobGroup group;
    RecordingControl a;
    group.add(a, 101);
    for (int i : {-1, 1, 99, 100, 1000}) {
        EXPECT_EQ(group.control(i), nullptr) << i;
        EXPECT_EQ(group.commandNumber(i), scobGroup::noCommandNumber) << i;
    }
}

TEST(ScobGroup, AddToAFullGroupIsIgnored)
{
    scobGroup group;
    std::array<RecordingControl, scobGroup::capacity + 1> controls;
    for (int i = 0; i <= scobGroup::capacity; ++i)
        group.add(controls[i], i);
    EXPECT_EQ(group.count(), scobGroup::capacity);
    EXPECT_EQ(group.control(scobGroup::capacity - 1), &controls[scobGroup::capacity - 1]);
    EXPECT_EQ(group.commandNumber(scobGroup::capacity - 1), scobGroup::capacity - 1);
}

TEST(ScobGroupPaint, DrawsVisibleControlsInOrderAndClearsEveryDirtyFlag)
{
    scobGroup group;
    RecordingControl shown, hidden;
    shown.setVisible(true);
    group.add(shown, 1);
    group.add(hidden, 2);
    ASSERT_TRUE(shown.isDirty());
    ASSERT_TRUE(hidden.isDirty());

    DrawSurface surface(4, 4);
    DrawContext dc = surface.context();
    group.paintAll(dc);
    EXPECT_EQ(shown.calls, std::vector<std::string>{"drawFace"});
    EXPECT_TRUE(hidden.calls.empty());
    EXPECT_FALSE(shown.isDirty());
    EXPECT_FALSE(hidden.isDirty());
}

}  // namespace
