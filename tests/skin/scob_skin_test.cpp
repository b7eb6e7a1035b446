#include <gtest/gtest.h>

#include "skin/skin_instance.h"
#include "skin_test_support.h"

namespace {

TEST(SkinInstance, ThemeColoursAreVariantOne)
{
    skinInstance skin;
    EXPECT_EQ(skin.colour(1, 1), 0x7D96FF);
    EXPECT_EQ(skin.colour(4, 1), 0x00FFFF);
    EXPECT_EQ(skin.colour(5, 1), 0xFFFF00);
    EXPECT_EQ(skin.colour(8, 1), 0xDDE4EA);
    EXPECT_EQ(skin.colour(5, 0), 0);
    EXPECT_EQ(skin.colour(17, 1), 0);
}

TEST(SkinInstance, BitmapsPerRoleAndState)
{
    skinInstance skin;
    EXPECT_EQ(skin.bitmapId(3, 2), 103);
    EXPECT_EQ(skin.bitmapId(7, 1), 112);
    EXPECT_EQ(skin.bitmapId(6, 1), 111);
    EXPECT_EQ(skin.bitmapId(1, 2), 0);
    EXPECT_EQ(skin.bitmapId(0, 1), 0);
}

TEST(SkinInstance, OneSkinNamedOneInUse)
{
    skinInstance skin;
    EXPECT_EQ(skin.skinCount(), 1);
    EXPECT_EQ(skin.currentSkin(), 0);
    EXPECT_EQ(skin.skinName(0), "1");
    skin.nextSkin();
    EXPECT_EQ(skin.currentSkin(), 0);
}

TEST(ScobSkin, NextSkinCyclesThroughAllSkins)
{
    ThreeSkins skin;
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        seen.push_back(skin.currentSkin());
        skin.nextSkin();
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0}));
}

TEST(ScobSkin, LookupsFollowTheSkinInUse)
{
    ThreeSkins skin;
    skin.setCurrentSkin(2);
    EXPECT_EQ(skin.colour(0, 1), 0x12);
    EXPECT_EQ(skin.bitmapId(1, 1), 103);
}

TEST(ScobSkin, SetCurrentSkinStoresAnyValueUnchecked)
{
    ThreeSkins skin;
    skin.setCurrentSkin(4);
    EXPECT_EQ(skin.currentSkin(), 4);
    EXPECT_EQ(skin.colour(0, 1), 0);
    skin.nextSkin();
    EXPECT_EQ(skin.currentSkin(), 0);
}

TEST(ScobSkin, LookupsOutsideTheTablesAnswerZero)
{
    ThreeSkins skin;
    EXPECT_EQ(skin.colour(-1, 1), 0);
    EXPECT_EQ(skin.colour(50, 1), 0);
    EXPECT_EQ(skin.colour(0, 50), 0);
    EXPECT_EQ(skin.bitmapId(1, -1), 0);
    EXPECT_EQ(skin.bitmapId(1, 50), 0);
    for (int outside : {-1, 10, 1000}) {
        skin.setCurrentSkin(outside);
        EXPECT_EQ(skin.colour(0, 1), 0);
        EXPECT_EQ(skin.bitmapId(1, 1), 0);
    }
    EXPECT_EQ(skin.skinName(10), "");
}

TEST(ScobSkin, EmptySkinStaysAtZero)
{
    scobSkin skin;
    skin.nextSkin();
    EXPECT_EQ(skin.currentSkin(), 0);
    EXPECT_EQ(skin.colour(1, 1), 0);
}

}  // namespace
