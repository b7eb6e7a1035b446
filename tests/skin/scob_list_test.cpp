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

// A list as the main screen sets one up: at (25, 70), rows 20 high, caption
// "Year:" and seven rows.
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

TEST_F(YearList, HeightCountsTheCaptionRow)
{
    EXPECT_EQ(list.height(), 160);
    EXPECT_EQ(list.itemCount(), 7);
}

TEST_F(YearList, RowUnderAPointSkipsBoundaries)
{
    EXPECT_EQ(list.rowAt(90 - 70), -1);
    EXPECT_EQ(list.rowAt(91 - 70), 0);
    EXPECT_EQ(list.rowAt(110 - 70), 1);
    EXPECT_EQ(list.rowAt(229 - 70), 6);
    EXPECT_EQ(list.rowAt(230 - 70), -1);
    EXPECT_EQ(list.rowAt(0), -1);
    EXPECT_EQ(list.rowAt(-5), -1);
}

TEST(ScobListRows, WithoutCaptionRowZeroStartsBelowTheTopLine)
{
    skinInstance skin;
    scobList list;
    list.setup(25, 70, 20, 110, 20, false, skin);
    list.addItem("a");
    list.addItem("b");
    EXPECT_EQ(list.height(), 40);
    EXPECT_EQ(list.rowAt(0), -1);
    EXPECT_EQ(list.rowAt(1), 0);
    EXPECT_EQ(list.rowAt(19), 0);
    EXPECT_EQ(list.rowAt(20), 1);
}

TEST(ScobListRows, HeightFollowsAnAddAfterSetCaption)
{
    skinInstance skin;
    scobList list;
    list.setup(0, 0, 20, 100, 20, false, skin);
    list.addItem("a");
    list.setCaption("Caption");
    EXPECT_EQ(list.height(), 20);
    list.addItem("b");
    EXPECT_EQ(list.height(), 60);
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

TEST(ScobListRows, ZeroRowHeightHitsNoRow)
{
    skinInstance skin;
    scobList list;
    list.setup(0, 0, 0, 100, 20, false, skin);
    list.addItem("a");
    EXPECT_EQ(list.rowAt(0), -1);
    EXPECT_EQ(list.rowAt(1), -1);
}

TEST_F(YearList, HoverFollowsTheRowAndLeaveClearsIt)
{
    EXPECT_TRUE(list.mouseMove(50, 111));
    EXPECT_EQ(list.hoverIndex(), 1);
    EXPECT_TRUE(list.isDirty());

    list.setDirty(false);
    list.mouseMove(50, 80);  // caption row
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

TEST_F(YearList, PressThenReleaseOverTheCaptionIsAClickWithoutChoice)
{
    list.setSelectedIndex(3);
    EXPECT_TRUE(list.mouseButton(50, 100, 1, 0));
    EXPECT_EQ(list.state(), 2);
    EXPECT_TRUE(list.mouseButton(50, 80, 2, 0));
    EXPECT_EQ(list.selectedIndex(), 3);
    EXPECT_EQ(list.state(), 1);
}

TEST_F(YearList, LeaveDoesNotCancelAPress)
{
    list.mouseButton(50, 100, 1, 0);
    list.mouseMove(0, 0);
    EXPECT_FALSE(list.mouseButton(0, 0, 2, 0));
    EXPECT_TRUE(list.mouseButton(50, 215, 2, 0));
    EXPECT_EQ(list.selectedIndex(), 6);
}

TEST(ScobListConstruction, HiddenInteractiveNothingChosenYet)
{
    scobList list;
    EXPECT_FALSE(list.isVisible());
    EXPECT_TRUE(list.isInteractive());
    EXPECT_EQ(list.state(), 0);
    EXPECT_EQ(list.selectedIndex(), 0);
    EXPECT_EQ(list.hoverIndex(), -1);
    EXPECT_EQ(list.bitmapRole(), -1);
}

// Pixels. Rows of the fixture list start at y 90 (row 0), 110, 130, ...; text
// begins at x 45, so the right part of each row shows only its fill.

class YearListPixels : public YearList {
protected:
    void paint()
    {
        DrawContext dc = surface.context();
        list.draw(dc);
    }
    DrawSurface surface = blankSurface(200, 260);
};

TEST_F(YearListPixels, CaptionRowAndOrdinaryRows)
{
    list.setSelectedIndex(3);
    paint();
    EXPECT_EQ(surface.pixel(25, 70), salmon);
    EXPECT_EQ(surface.pixel(134, 89), salmon);
    EXPECT_EQ(surface.pixel(120, 100), white);
    EXPECT_EQ(surface.pixel(134, 229), white);
    EXPECT_EQ(surface.pixel(135, 100), untouched);
    EXPECT_EQ(surface.pixel(100, 230), untouched);
}

TEST_F(YearListPixels, ChosenRowIsYellowWithTheMarker)
{
    list.setSelectedIndex(1);
    paint();
    const int left = 25, top = 110;
    EXPECT_EQ(surface.pixel(120, top + 10), yellow);
    const Bitmap marker = loadBitmap(111);
    DrawSurface markerPicture = blankSurface(20, 20);
    DrawContext markerDc = markerPicture.context();
    markerDc.copyBitmap(marker, 0, 0, 20, 20);
    int blackPixels = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const Colour m = markerPicture.pixel(x, y);
            const Colour shown = surface.pixel(left + x, top + y);
            if (m == white)
                EXPECT_EQ(shown, yellow) << x << "," << y;
            else
                EXPECT_EQ(shown, m) << x << "," << y;
            blackPixels += m == black;
        }
    }
    EXPECT_GT(blackPixels, 100);
    EXPECT_EQ(surface.pixel(left + 4, top + 3), black);
    EXPECT_EQ(surface.pixel(left + 15, top + 16), black);
    EXPECT_EQ(surface.pixel(left + 3, top + 3), yellow);
    // Only the chosen row has the marker.
    EXPECT_EQ(surface.pixel(left + 4, 90 + 3), white);
}

TEST_F(YearListPixels, HoveredRowIsGreenAndKeepsTheMarkerWhenChosen)
{
    list.setSelectedIndex(2);
    list.mouseMove(60, 135);
    paint();
    EXPECT_EQ(surface.pixel(120, 140), green);
    EXPECT_EQ(surface.pixel(25, 130), green);
    EXPECT_EQ(surface.pixel(25 + 4, 130 + 3), black);

    list.mouseMove(60, 95);
    paint();
    EXPECT_EQ(surface.pixel(120, 100), green);
    EXPECT_EQ(surface.pixel(120, 140), yellow);
}

TEST_F(YearListPixels, ChoiceOutsideTheRowsMarksNoRow)
{
    list.setSelectedIndex(7);
    paint();
    for (int top = 90; top < 230; top += 20) {
        EXPECT_EQ(surface.pixel(120, top + 10), white);
        EXPECT_EQ(surface.pixel(25 + 4, top + 3), white);
    }
}

TEST_F(YearListPixels, RowTextIsDrawnFromTheIndent)
{
    paint();
    bool inkBeforeIndent = false, inkAfterIndent = false;
    for (int y = 111; y < 129; ++y) {
        for (int x = 26; x < 45; ++x)
            inkBeforeIndent |= surface.pixel(x, y) != white;
        for (int x = 45; x < 80; ++x)
            inkAfterIndent |= surface.pixel(x, y) != white;
    }
    EXPECT_FALSE(inkBeforeIndent);
    EXPECT_TRUE(inkAfterIndent);
}

TEST_F(YearListPixels, InvisibleListPaintsNothing)
{
    list.setVisible(false);
    paint();
    EXPECT_EQ(surface.pixel(25, 70), untouched);
    EXPECT_EQ(surface.pixel(120, 100), untouched);
}

}  // namespace
