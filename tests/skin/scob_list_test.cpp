#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "skin/scob_list.h"
#include "skin/skin_instance.h"
#include "skin_test_support.h"

namespace {

constexpr Colour salmon = rgbColour(255, 150, 125);
constexpr Colour yellow = rgbColour(255, 255, 0);
constexpr Colour green = rgbColour(0, 255, 0);
constexpr Colour white = rgbColour(255, 255, 255);
constexpr Colour black = rgbColour(0, 0, 0);

// Set up as the main screen sets up its year list: at (25, 70), 110 wide, rows
// 20 high, caption "Year:" and seven rows, so rows start at y 90, 110, 130 ...
class YearList : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.setup(25, 70, 20, 110, 20, true, skin);
        list.setFont(15, 7);
        list.setColours(0, 7, 0, 1, 0, 2, 0, 4);
        list.setMarkerBitmapRole(6);
        list.setCaption("Year:");
        for (const char* year : {"2010", "2011", "2012", "2013", "2014", "2015", "2016"})
            list.addItem(year);
        list.setVisible(true);
        list.setDirty(false);
    }
    skinInstance skin;
    scobList list;
};

TEST_F(YearList, RowUnderAPointSkipsBoundariesAndTheCaption)
{
    EXPECT_EQ(list.height(), 160);
    const std::pair<int, int> windowYToRow[] = {{70, -1}, {90, -1}, {91, 0}, {110, 1},
                                                {229, 6}, {230, -1}, {60, -1}};
    for (auto [y, row] : windowYToRow)
        EXPECT_EQ(list.rowAt(y - 70), row) << y;
}

TEST(ScobListRows, WithoutCaptionAndWithLateCaption)
{
    skinInstance skin;
    scobList list;
    list.setup(0, 0, 20, 100, 20, false, skin);
    list.addItem("a");
    list.addItem("b");
    EXPECT_EQ(list.rowAt(0), -1);
    EXPECT_EQ(list.rowAt(1), 0);
    EXPECT_EQ(list.rowAt(20), 1);
    list.setCaption("Caption");
    EXPECT_EQ(list.height(), 40);
    list.addItem("c");
    EXPECT_EQ(list.height(), 80);
}

TEST(ScobListRows, AnEleventhRowIsIgnored)
{
    skinInstance skin;
    scobList list;
    list.setup(0, 0, 20, 100, 20, false, skin);
    for (int i = 0; i < 11; ++i)
        list.addItem(std::to_string(i));
    EXPECT_EQ(list.itemCount(), 10);
    EXPECT_EQ(list.height(), 200);
}

TEST_F(YearList, HoverFollowsTheRowAndLeaveClearsIt)
{
    EXPECT_TRUE(list.mouseMove(50, 111));
    EXPECT_EQ(list.hoverIndex(), 1);
    EXPECT_TRUE(list.isDirty());

    list.setDirty(false);
    list.mouseMove(50, 80);  // caption row: no row, and no repaint asked for
    EXPECT_EQ(list.hoverIndex(), -1);
    EXPECT_FALSE(list.isDirty());

    list.mouseMove(0, 0);
    EXPECT_TRUE(list.isDirty());
    list.setDirty(false);
    list.mouseMove(0, 0);
    EXPECT_FALSE(list.isDirty());
}

TEST_F(YearList, ReleaseOverARowChoosesItEvenWithoutAClick)
{
    list.mouseButton(0, 0, 1, 0);  // pressed elsewhere
    EXPECT_FALSE(list.mouseButton(50, 135, 2, 0));
    EXPECT_EQ(list.selectedIndex(), 2);
    EXPECT_TRUE(list.isDirty());
}

TEST_F(YearList, PressOverItThenReleaseOverTheCaptionIsAClickWithoutChoice)
{
    list.setSelectedIndex(3);
    EXPECT_TRUE(list.mouseButton(50, 100, 1, 0));
    list.mouseMove(0, 0);  // leaving does not cancel the press
    EXPECT_TRUE(list.mouseButton(50, 80, 2, 0));
    EXPECT_EQ(list.selectedIndex(), 3);
    EXPECT_EQ(list.state(), 1);
}

class YearListPixels : public YearList {
protected:
    DrawSurface paint() { return drawnAlone(list, 200, 260); }
};

TEST_F(YearListPixels, CaptionRowAndOrdinaryRows)
{
    list.setSelectedIndex(3);
    const DrawSurface surface = paint();
    EXPECT_EQ(surface.pixel(25, 70), salmon);
    EXPECT_EQ(surface.pixel(134, 89), salmon);
    EXPECT_EQ(surface.pixel(120, 100), white);
    EXPECT_EQ(surface.pixel(134, 229), white);
    EXPECT_EQ(surface.pixel(135, 100), untouched);
    EXPECT_EQ(surface.pixel(100, 230), untouched);
    EXPECT_FALSE(inkBounds(surface, white).isEmpty());
}

TEST_F(YearListPixels, ChosenRowIsYellowWithTheMarkerShowingThroughItsWhite)
{
    list.setSelectedIndex(1);
    const DrawSurface surface = paint();
    const int left = 25, top = 110;
    EXPECT_EQ(surface.pixel(120, top + 10), yellow);
    DrawSurface marker = blankSurface(20, 20);
    DrawContext markerDc = marker.context();
    markerDc.copyBitmap(loadBitmap(111), 0, 0, 20, 20);
    int blackPixels = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const Colour m = marker.pixel(x, y);
            EXPECT_EQ(surface.pixel(left + x, top + y), m == white ? yellow : m) << x << "," << y;
            blackPixels += m == black;
        }
    }
    EXPECT_GT(blackPixels, 100);
    EXPECT_EQ(surface.pixel(left + 4, 90 + 3), white);  // only the chosen row has it
}

TEST_F(YearListPixels, HoveredRowIsGreenAndKeepsTheMarkerWhenChosen)
{
    list.setSelectedIndex(2);
    list.mouseMove(60, 135);
    DrawSurface surface = paint();
    EXPECT_EQ(surface.pixel(120, 140), green);
    EXPECT_EQ(surface.pixel(25 + 4, 130 + 3), black);

    list.mouseMove(60, 95);
    surface = paint();
    EXPECT_EQ(surface.pixel(120, 100), green);
    EXPECT_EQ(surface.pixel(120, 140), yellow);
}

TEST_F(YearListPixels, ChoiceOutsideTheRowsMarksNoRow)
{
    list.setSelectedIndex(7);
    const DrawSurface surface = paint();
    for (int top = 90; top < 230; top += 20) {
        EXPECT_EQ(surface.pixel(120, top + 10), white);
        EXPECT_EQ(surface.pixel(25 + 4, top + 3), white);
    }
}

}  // namespace
