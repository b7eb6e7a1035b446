#include <tuple>

#include "skin/scob_skin.h"
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
