#include <tuple>

#include "skin/scob_button.h"
#include "skin/scob_state_button.h"
#include "skin/skin_instance.h"
#include "tests/support/drawing.h"

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
    for (auto [x, y, in] : {std::tuple{10, 10, true}, {30, 30, true}, {9, 10, false}, {10, 31, false}, {31, 20, false}})
        EXPECT_EQ(c.isOver(x, y), in) << x << "," << y;
    c.setRect(2147483600, 0, 100, 10);  // the right edge lies past the int range
    EXPECT_TRUE(c.isOver(2147483647, 5));
}

TEST(Buttons, MouseKindsPushCancelledByLeavingAndStateButtonPressesAndWrap)
{
    skinInstance skin;
    scobButton button;
    button.setup(10, 10, 20, 20, skin, 0, 8, 2, 15, 7, 0);
    button.setDirty(false);
    EXPECT_FALSE(button.mouseButton(9, 10, 1, 0) || button.isDirty());  // outside
    EXPECT_TRUE(button.mouseButton(15, 15, 3, 0) && button.isDirty());
    EXPECT_TRUE(button.mouseButton(15, 15, 1, 1) && button.mouseButton(15, 15, 2, 1));  // secondary
    EXPECT_TRUE(button.mouseButton(20, 20, 1, 0) && button.mouseButton(20, 20, 2, 0));  // a click
    button.mouseButton(20, 20, 1, 0);
    button.setDirty(false);
    button.mouseMove(100, 100);  // leaving cancels the press
    EXPECT_TRUE(button.state() == 1 && button.isDirty());
    EXPECT_FALSE(button.mouseButton(20, 20, 2, 0));

    scobStateButton toggle;
    toggle.setup(431, 1, 20, 20, skin, 7, 8, 2, 15, 6, 1);
    EXPECT_FALSE(toggle.mouseButton(440, 10, 2, 0));
    toggle.mouseButton(440, 10, 1, 0);
    toggle.mouseMove(0, 300);  // no pressed look, and leaving does not cancel the press
    EXPECT_EQ(toggle.state(), 1);
    EXPECT_TRUE(toggle.mouseButton(440, 10, 2, 0));
    toggle.mouseMove(0, 300);  // leaving keeps the value
    EXPECT_EQ(toggle.state(), 2);
    toggle.mouseButton(440, 10, 1, 0);
    EXPECT_TRUE(toggle.mouseButton(440, 10, 2, 0) && toggle.state() == 1);
}

// Lookups outside the tables answer 0 (black, no bitmap), never another entry's value.
TEST(Skins, NextSkinCyclesAndLookupsOutsideTheTablesAnswerZero)
{
    ThreeSkins skin;
    for (int s : {0, 1, 2, 0}) {
        EXPECT_EQ(skin.colour(0, 1) + skin.bitmapId(1, 1), 0x10 + 101 + 2 * s) << s;
        skin.nextSkin();
    }
    for (auto [current, role, second] : {std::tuple{0, 1, -49}, {0, 0, 51}, {0, 50, 1}, {10, 1, 1}}) {
        skin.setCurrentSkin(current);
        EXPECT_EQ(skin.colour(role, second) + skin.bitmapId(role, second), 0) << current << "," << role << "," << second;
    }
    skin.nextSkin();  // from outside the skins back to the first
    EXPECT_EQ(skin.currentSkin(), 0);
}

// The pressed and switched-on pictures of the theme, which no pixel test draws.
TEST(Skins, ThemePicturesOfTheSecondState)
{
    const skinInstance theme;
    for (auto [role, picture] : {std::pair{1, 0}, {3, 103}, {4, 106}, {5, 108}, {7, 113}})
        EXPECT_EQ(theme.bitmapId(role, 2), picture) << role;
}
