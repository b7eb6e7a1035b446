#include "calendar/calendar_document.h"
#include "calendar/calendar_grid.h"
#include "calendar/publisher.h"
#include "pdf_content.h"
#include "tests/support/files.h"
#include "tests/support/grids.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const std::string footer = std::string(publisherAddress) + "/calendar";

std::vector<Placement> drawnCalendar(const CalendarTextGrid& grid, int layout)
{
    TemporaryFolder folder;
    const std::string path = folder.file("calendar.pdf");
    EXPECT_EQ(saveCalendarPdf(renderCalendarPdf(CalendarRequest(grid, layout, stderr)), path).error, "");
    return readPlacements(path);
}

// Where a text stands and what it is, to compare as one value.
std::tuple<int, int, std::string> placed(const Placement& p)
{
    return {p.x, p.y, p.text};
}
using expected = std::tuple<int, int, std::string>;

// A whole page in drawing order: the year, then per month its name, seven
// weekday cells and six week lines of 21 cells (the 21st the empty terminator),
// then the footer. The month names' x positions are measured by the library.
void expectPage(const std::vector<Placement>& placements, const CalendarTextGrid& grid, int yearY,
                const std::vector<int>& x0, const std::vector<int>& y0, int lineStep)
{
    ASSERT_EQ(placements.size(), 1610u);
    EXPECT_EQ(placed(placements[0]), expected(270, yearY, "2010"));
    EXPECT_EQ(placements[0].fontSize, 24);
    for (int month = 0; month < 12; ++month) {
        const Placement* cell = &placements[1 + month * 134];
        const int x = x0[month % x0.size()], y = y0[month / x0.size()];
        EXPECT_EQ(cell->y, y);
        EXPECT_EQ(cell->text, monthNames[month]);
        EXPECT_EQ(cell->fontSize, 11);
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(placed(*++cell), expected(x + 21 * i, y - lineStep,
                                                {grid.cell(month, 1, 3 * i), grid.cell(month, 1, 3 * i + 1)}));
        for (int line = 2; line < 8; ++line)
            for (int column = 0; column < 21; ++column)
                EXPECT_EQ(placed(*++cell), expected(x + 7 * column, y - lineStep * line,
                                                    column == 20 ? "" : std::string(1, grid.cell(month, line, column))));
    }
    EXPECT_EQ(placed(placements.back()), expected(445, 12, footer));
}

}  // namespace

TEST(PdfPageTest, ThreeMonthsPerRowOnTheDefaultPage)
{
    const CalendarTextGrid grid = laidOutGrid(2010, 0);
    const auto placements = drawnCalendar(grid, threePerRowLayoutId);
    expectPage(placements, grid, 781, {38, 223, 408}, {737, 554, 371, 188}, 16);
    EXPECT_EQ(placed(placements[1]), expected(88, 737, "January"));  // centred over x 38..178
    EXPECT_EQ(placements[1 + 11 * 134 + 133].y, 76);                 // December's last week line
}

TEST(PdfPageTest, TwoMonthsPerRowOnTheDefaultPage)
{
    const CalendarTextGrid grid = laidOutGrid(2010, 6);
    const auto placements = drawnCalendar(grid, twoPerRowLayoutId);
    expectPage(placements, grid, 801, {100, 347}, {763, 637, 511, 385, 259, 133}, 14);
    EXPECT_EQ(placements[2].text, "Su");                      // weeks ending on Saturday start on Sunday
    EXPECT_EQ(placements[1 + 11 * 134 + 133].y, 35);          // above the footer at y = 12
}

TEST(PdfPageTest, ALibraryErrorDiscardsTheDocumentAndIsReportedOnce)
{
    // A font file that went away between choosing and drawing.
    std::FILE* diagnostics = std::tmpfile();
    const CalendarTextGrid grid = laidOutGrid(2010, 0);
    CalendarRequest request(grid, threePerRowLayoutId, diagnostics);
    request.page.font = {BaseFontEncoding::none, "/nonexistent/font.ttf", 0};
    const RenderedPdf pdf = renderCalendarPdf(request);
    EXPECT_EQ(pdf.bytes, "");
    EXPECT_EQ(pdf.error.rfind("cannot make the PDF document: library error 0x", 0), 0u) << pdf.error;
    std::rewind(diagnostics);
    char line[80] = {};
    ASSERT_NE(std::fgets(line, sizeof line, diagnostics), nullptr);
    EXPECT_EQ(std::string(line).rfind("ERROR: error_no=", 0), 0u) << line;
    EXPECT_EQ(std::fgets(line, sizeof line, diagnostics), nullptr);  // reported once
    std::fclose(diagnostics);
}
