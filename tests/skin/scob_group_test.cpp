#include <array>

#include <gtest/gtest.h>

#include "skin/scob_group.h"
#include "skin_test_support.h"

namespace {

TEST(ScobGroup, IndexesOutsideTheEntriesGiveNoControlAndNoCommand)
{
    scobGroup group;
    RecordingControl a;
    group.add(a, 101);
    EXPECT_EQ(group.control(0), &a);
    EXPECT_EQ(group.commandNumber(0), 101);
    for (int i : {-1, 1, 100}) {
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
}

TEST(ScobGroup, PaintAllDrawsTheVisibleAndClearsEveryDirtyFlag)
{
    scobGroup group;
    RecordingControl shown, hidden;
    shown.setVisible(true);
    group.add(shown, 1);
    group.add(hidden, 2);
    DrawSurface surface(4, 4);
    DrawContext dc = surface.context();
    group.paintAll(dc);
    EXPECT_EQ(shown.calls, std::vector<std::string>{"drawFace"});
    EXPECT_TRUE(hidden.calls.empty());
    EXPECT_FALSE(shown.isDirty());
    EXPECT_FALSE(hidden.isDirty());
}

}  // namespace
