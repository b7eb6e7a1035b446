#include <tuple>

#include "skin/scob_list.h"
#include "skin/skin_instance.h"
#include "tests/support/drawing.h"

constexpr Colour white = rgbColour(255, 255, 255), yellow = rgbColour(255, 255, 0);
constexpr Colour salmon = rgbColour(255, 150, 125), green = rgbColour(0, 255, 0);

// Set up as the main screen sets up its year list: at (25, 70), 110 wide, rows
// 20 high, caption "Year:" and seven rows, so rows start at y 90, 110, 130 ...
struct YearList : ::testing::Test {
    YearList()
    {
        list.setup(25, 70, 20, 110, 20, true, skin);
        list.setFont(15, 7);
        list.setColours(0, 7, 0, 1, 0, 2, 0, 4);
        list.setMarkerBitmapRole(6);
        list.setCaption("Year:");
        for (const char* year : {"2010", "2011", "2012", "2013", "2014", "2015", "2016"})
            list.addItem(year);
        list.setVisible(true);
    }
    skinInstance skin;
    scobList list;
};

TEST_F(YearList, RowUnderAPointAndReleaseOverARowChoosesItEvenWithoutAClick)
{
    for (auto [windowY, row] : {std::pair{70, -1}, {90, -1}, {91, 0}, {110, 1}, {229, 6}, {230, -1}})
        EXPECT_EQ(list.rowAt(windowY - 70), row) << windowY;
    scobList plain;
    plain.setup(0, 0, 20, 100, 20, false, skin);
    for (int i = 0; i < 11; ++i)  // the eleventh is ignored: row 9 is the last
        plain.addItem(std::to_string(i));
    for (auto [y, row] : {std::pair{0, -1}, {1, 0}, {19, 0}, {20, 1}, {199, 9}, {200, -1}})
        EXPECT_EQ(plain.rowAt(y), row) << y;

    list.setDirty(false);
    list.mouseButton(0, 0, 1, 0);  // pressed elsewhere
    EXPECT_TRUE(!list.mouseButton(50, 135, 2, 0) && list.selectedIndex() == 2 && list.isDirty());
}

TEST_F(YearList, CaptionChosenAndHoveredRowPixels)
{
    list.setSelectedIndex(1);
    list.mouseMove(60, 155);
    const DrawSurface surface = drawnAlone(list, 200, 260);
    for (auto [x, y, colour] : {std::tuple{130, 80, salmon}, {134, 89, salmon}, {120, 160, green}, {120, 120, yellow},
                                {120, 100, white}, {29, 93, white},  // only the chosen row is marked
                                {134, 229, white}, {135, 100, untouched}, {100, 230, untouched}})
        EXPECT_EQ(surface.pixel(x, y), colour) << x << "," << y;
    const DrawSurface marker = painted(20, 20, [](DrawContext& dc) { dc.copyBitmap(loadBitmap(111), 0, 0, 20, 20); });
    expectArea(surface, 25, 110, 20, 20, [&](int x, int y) {  // the row colour shows only through the marker's white
        return marker.pixel(x, y) == white ? yellow : marker.pixel(x, y);
    });
    list.mouseMove(60, 115);  // the hover colour wins over the chosen one
    EXPECT_EQ(drawnAlone(list, 200, 260).pixel(120, 120), green);
}
