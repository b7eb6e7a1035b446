#include <gtest/gtest.h>

#include "skin/skin_instance.h"
#include "skin_test_support.h"

namespace {

TEST(SkinInstance, ThemeLookups)
{
    skinInstance skin;
    EXPECT_EQ(skin.colour(1, 1), 0x7D96FF);
    EXPECT_EQ(skin.colour(5, 1), 0xFFFF00);
    EXPECT_EQ(skin.colour(8, 1), 0xDDE4EA);
    EXPECT_EQ(skin.colour(5, 0), 0);
    EXPECT_EQ(skin.colour(17, 1), 0);
    EXPECT_EQ(skin.bitmapId(3, 2), 103);
    EXPECT_EQ(skin.bitmapId(7, 1), 112);
    EXPECT_EQ(skin.bitmapId(1, 2), 0);
    EXPECT_EQ(skin.skinCount(), 1);
    skin.nextSkin();
    EXPECT_EQ(skin.currentSkin(), 0);
}

TEST(ScobSkin, NextSkinCyclesAndLookupsFollow)
{
    ThreeSkins skin;
    std::vector<int> seen, colours;
    for (int i = 0; i < 4; ++i) {
        seen.push_back(skin.currentSkin());
        colours.push_back(skin.colour(0, 1));
        skin.nextSkin();
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0}));
    EXPECT_EQ(colours, (std::vector<int>{0x10, 0x11, 0x12, 0x10}));
}

TEST(ScobSkin, IndexesOutsideTheTablesAnswerZero)
{
    ThreeSkins skin;
    EXPECT_EQ(skin.colour(-1, 1), 0);
    EXPECT_EQ(skin.colour(50, 1), 0);
    EXPECT_EQ(skin.bitmapId(1, 50), 0);
    skin.setCurrentSkin(4);
    EXPECT_EQ(skin.currentSkin(), 4);
    for (int outside : {4, -1, 10}) {
        skin.setCurrentSkin(outside);
        EXPECT_EQ(skin.colour(0, 1), 0);
        EXPECT_EQ(skin.bitmapId(1, 1), 0);
    }
    skin.nextSkin();
    EXPECT_EQ(skin.currentSkin(), 0);
}

}  // namespace
