#include "calendar/calendar_document.h"
#include "calendar/calendar_grid.h"
#include "calendar/page_layout.h"
#include "calendar/publisher.h"
#include "pdf_content.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <hpdf.h>

namespace {

std::vector<Placement> drawnCalendar(const CalendarTextGrid& grid, int layout)
{
    TemporaryFolder folder;
    const std::string path = folder.file("calendar.pdf");
    EXPECT_EQ(createCalendarPdf(path, grid, layout, stderr), "");
    return readPlacements(path);
}

bool placedAt(const Placement& p, double x, double y, const std::string& text)
{
    return p.x == x && p.y == y && p.text == text;
}

CalendarTextGrid gridFor(int year, int weekendDay)
{
    CalendarTextGrid grid;
    grid.setYearAndWeekendDay(year, weekendDay);
    grid.layOut();
    return grid;
}

// The 134 placements of one month: its name, seven weekday cells, then the six
// week lines of 21 cells each (the 21st is the empty terminator).
void expectMonth(const std::vector<Placement>& placements, const CalendarTextGrid& grid, int month, int x0, int y0,
                 int lineStep)
{
    const std::size_t first = 1 + static_cast<std::size_t>(month) * 134;
    ASSERT_GE(placements.size(), first + 134);
    EXPECT_EQ(placements[first].y, y0);
    EXPECT_EQ(placements[first].text, monthNames[month]);
    for (int i = 0; i < 7; ++i) {
        const Placement& header = placements[first + 1 + i];
        const std::string expected{grid.cell(month, 1, 3 * i), grid.cell(month, 1, 3 * i + 1)};
        EXPECT_TRUE(placedAt(header, x0 + 21 * i, y0 - lineStep, expected)) << month << " header " << i;
    }
    for (int line = 2; line < 8; ++line)
        for (int column = 0; column < 21; ++column) {
            const Placement& cell = placements[first + 8 + (line - 2) * 21 + column];
            const std::string expected = column == 20 ? "" : std::string(1, grid.cell(month, line, column));
            EXPECT_TRUE(placedAt(cell, x0 + 7 * column, y0 - lineStep * line, expected))
                << month << " line " << line << " column " << column;
        }
}

}  // namespace

TEST(PdfPageTest, ThreeMonthsPerRowOnTheDefaultPage)
{
    const CalendarTextGrid grid = gridFor(2010, 0);
    const auto placements = drawnCalendar(grid, threePerRowLayoutId);
    ASSERT_EQ(placements.size(), 1610u);
    EXPECT_TRUE(placedAt(placements[0], 270, 781, "2010"));
    EXPECT_EQ(placements[0].fontSize, 24);
    EXPECT_EQ(placements[1].fontSize, 11);
    // January's name is centred over x 38..178.
    EXPECT_TRUE(placedAt(placements[1], 88, 737, "January"));

    const int x0[3] = {38, 223, 408};
    const int y0[4] = {737, 554, 371, 188};
    for (int month = 0; month < 12; ++month)
        expectMonth(placements, grid, month, x0[month % 3], y0[month / 3], 16);
    // December's last week line lies at y = 76.
    EXPECT_EQ(placements[1 + 11 * 134 + 8 + 5 * 21].y, 76);

    const std::string footer = std::string(publisherAddress) + "/calendar";
    EXPECT_TRUE(placedAt(placements.back(), 445, 12, footer));
}

TEST(PdfPageTest, TwoMonthsPerRowOnTheDefaultPage)
{
    const CalendarTextGrid grid = gridFor(2010, 6);
    const auto placements = drawnCalendar(grid, twoPerRowLayoutId);
    ASSERT_EQ(placements.size(), 1610u);
    EXPECT_TRUE(placedAt(placements[0], 270, 801, "2010"));

    const int x0[2] = {100, 347};
    const int y0[6] = {763, 637, 511, 385, 259, 133};
    for (int month = 0; month < 12; ++month)
        expectMonth(placements, grid, month, x0[month % 2], y0[month / 2], 14);
    // The weekday header follows the grid: weeks that end on Saturday start on Sunday.
    EXPECT_EQ(placements[2].text, "Su");
    // The last row's week lines end at y = 35, above the footer at y = 12.
    EXPECT_EQ(placements[1 + 11 * 134 + 133].y, 35);
    EXPECT_EQ(placements.back().y, 12);
}

TEST(PdfPageTest, FooterFitsOnThePage)
{
    HPDF_Doc document = HPDF_New(nullptr, nullptr);
    ASSERT_NE(document, nullptr);
    HPDF_Page page = HPDF_AddPage(document);
    HPDF_Page_SetFontAndSize(page, HPDF_GetFont(document, "Helvetica", nullptr), 11);
    const std::string footer = std::string(publisherAddress) + "/calendar";
    EXPECT_LE(HPDF_Page_GetWidth(page) - 150 + HPDF_Page_TextWidth(page, footer.c_str()), HPDF_Page_GetWidth(page));
    HPDF_Free(document);
}

TEST(PdfPageTest, UnknownLayoutSavesAnEmptyPage)
{
    EXPECT_TRUE(drawnCalendar(gridFor(2010, 0), 7).empty());
}

TEST(PdfPageTest, DrawingStopsAtTheFirstLibraryError)
{
    int reported = 0;
    HPDF_Doc document = HPDF_New([](HPDF_STATUS, HPDF_STATUS, void* count) { ++*static_cast<int*>(count); }, &reported);
    ASSERT_NE(document, nullptr);
    HPDF_Page page = HPDF_AddPage(document);
    const CalendarTextGrid grid = gridFor(2010, 0);
    PageLayout broken = threePerRowLayout(595, 841);
    broken.fontName = "NoSuchFont";
    drawCalendarPage(CalendarPage{document, page, grid}, broken);
    EXPECT_NE(HPDF_GetError(document), HPDF_OK);
    EXPECT_GE(reported, 1);
    HPDF_Free(document);
}
