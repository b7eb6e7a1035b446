#include <array>
#include <tuple>

#include <gtest/gtest.h>

#include "skin/scob_button.h"
#include "skin/scob_group.h"
#include "skin/scob_skin.h"
#include "skin/scob_state_button.h"
#include "skin/skin_instance.h"
#include "skin_test_support.h"

// Three skins that differ in colour role 0 and bitmap role 1.
struct ThreeSkins : scobSkin {
    ThreeSkins()
    {
        for (int s = 0; s < 3; ++s) {
            setColour(s, 0, 1, 0x10 + s);
            setBitmapId(s, 1, 1, 101 + s);
        }
        setSkinCount(3);
    }
};

TEST(Scob, HitTestIncludesTheRightAndBottomEdge)
{
    scob c;
    c.setRect(10, 10, 20, 20);
    for (auto [x, y, over] : {std::tuple{10, 10, true}, {30, 30, true}, {30, 10, true},
                              {9, 10, false}, {10, 31, false}, {31, 20, false}})
        EXPECT_EQ(c.isOver(x, y), over) << x << "," << y;
    c.setRect(2147483600, 0, 100, 10);  // the right edge lies past the int range
    EXPECT_TRUE(c.isOver(2147483647, 5));
}

TEST(PushButton, MouseButtonKindsAndAPressCancelledByLeaving)
{
    skinInstance skin;
    scobButton button;
    button.setup(10, 10, 20, 20, skin, 0, 8, 2, 15, 7, 0);
    button.setDirty(false);
    EXPECT_FALSE(button.mouseButton(9, 10, 1, 0));
    EXPECT_FALSE(button.isDirty());
    EXPECT_TRUE(button.mouseButton(15, 15, 3, 0));
    EXPECT_TRUE(button.isDirty());
    EXPECT_TRUE(button.mouseButton(15, 15, 1, 1) && button.mouseButton(15, 15, 2, 1));  // secondary
    EXPECT_FALSE(button.mouseButton(15, 15, 2, 0));  // primary up without its press

    EXPECT_TRUE(button.mouseButton(20, 20, 1, 0) && button.mouseButton(20, 20, 2, 0));  // a click
    button.mouseButton(20, 20, 1, 0);
    EXPECT_EQ(button.state(), 2);
    button.setDirty(false);
    button.mouseMove(100, 100);
    EXPECT_EQ(button.state(), 1);
    EXPECT_TRUE(button.isDirty());
    button.mouseMove(20, 20);
    EXPECT_FALSE(button.mouseButton(20, 20, 2, 0));
}

TEST(PushButton, CaptionsAndDirtiness)
{
    scobButton button;
    button.setCaption("Go", 1);
    EXPECT_EQ(button.caption(2), "Go");
    button.setDirty(false);
    button.setCaption("Go", 1);
    button.setCaption("x", 10);
    EXPECT_FALSE(button.isDirty());
    button.setCaption("Down", 2);
    EXPECT_TRUE(button.isDirty());
    button.setCaption("Up", 1);
    EXPECT_EQ(button.caption(2), "Down");
}

TEST(StateButton, ClicksOnlyAfterItsOwnPressAndWrapsThroughItsStates)
{
    skinInstance skin;
    scobStateButton toggle;
    toggle.setup(431, 1, 20, 20, skin, 7, 8, 2, 15, 6, 1);
    EXPECT_FALSE(toggle.mouseButton(440, 10, 2, 0));
    toggle.mouseButton(440, 10, 1, 0);
    EXPECT_EQ(toggle.state(), 1);  // no pressed look
    toggle.mouseMove(0, 300);      // nor does leaving cancel the press
    EXPECT_FALSE(toggle.mouseButton(0, 300, 2, 0));
    EXPECT_TRUE(toggle.mouseButton(440, 10, 2, 0));
    toggle.mouseMove(0, 300);  // leaving keeps the value
    EXPECT_EQ(toggle.state(), 2);
    toggle.mouseButton(440, 10, 1, 0);
    EXPECT_TRUE(toggle.mouseButton(440, 10, 2, 0));
    EXPECT_EQ(toggle.state(), 1);
}

TEST(ScobGroup, GuardsItsIndexesAndPaintAllClearsEveryDirtyFlag)
{
    scobGroup group;
    std::array<scob, scobGroup::capacity + 1> controls;
    group.add(controls[0], 101);
    for (int i : {-1, 1, scobGroup::capacity}) {
        EXPECT_EQ(group.control(i), nullptr) << i;
        EXPECT_EQ(group.commandNumber(i), scobGroup::noCommandNumber) << i;
    }
    for (int i = 1; i <= scobGroup::capacity; ++i)  // the last one does not fit
        group.add(controls[i], i);
    EXPECT_EQ(group.count(), scobGroup::capacity);
    EXPECT_EQ(group.control(scobGroup::capacity - 1), &controls[scobGroup::capacity - 1]);
    EXPECT_EQ(group.commandNumber(0), 101);

    controls[1].setVisible(true);
    DrawSurface surface(4, 4);
    DrawContext dc = surface.context();
    group.paintAll(dc);
    for (int i = 0; i < scobGroup::capacity; ++i)
        EXPECT_FALSE(controls[i].isDirty()) << i;
}

TEST(Skins, LookupsCyclingAndIndexesOutsideTheTables)
{
    skinInstance theme;
    EXPECT_EQ(std::tuple(theme.colour(5, 1), theme.colour(5, 0), theme.bitmapId(3, 2), theme.bitmapId(1, 2)),
              std::tuple(0xFFFF00, 0, 103, 0));

    ThreeSkins skin;
    for (int s : {0, 1, 2, 0}) {
        EXPECT_EQ(skin.currentSkin(), s);
        EXPECT_EQ(skin.colour(0, 1) + skin.bitmapId(1, 1), 0x10 + 101 + 2 * s);
        skin.nextSkin();
    }
    // Without the range checks each of these would read a value set above.
    for (auto [role, second] : {std::pair{1, -49}, {0, 51}, {50, 1}})
        EXPECT_EQ(skin.colour(role, second) + skin.bitmapId(role, second), 0) << role << "," << second;
    for (int outside : {-1, 10}) {
        skin.setCurrentSkin(outside);
        EXPECT_EQ(skin.colour(1, 1) + skin.bitmapId(1, 1), 0) << outside;
    }
    skin.nextSkin();
    EXPECT_EQ(skin.currentSkin(), 0);
}
