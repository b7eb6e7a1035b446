#include "calendar/calendar_grid.h"
#include "tests/support/grids.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

std::string blockLine(const CalendarTextGrid& grid, int month, int line)
{
    std::string text;
    for (int column = 0; column < 20; ++column)
        text += grid.cell(month, line, column);
    return text;
}

// Weekday column (0..6) and block line of `day`, or (-1, -1) when not shown.
std::pair<int, int> positionOfDay(const CalendarTextGrid& grid, int month, int day)
{
    const char tens = day < 10 ? ' ' : static_cast<char>('0' + day / 10), units = static_cast<char>('0' + day % 10);
    for (int line = 2; line < 8; ++line)
        for (int column = 0; column < 7; ++column)
            if (grid.cell(month, line, 3 * column) == tens && grid.cell(month, line, 3 * column + 1) == units)
                return {column, line};
    return {-1, -1};
}

// The lines that printPage writes (0 .. lastPageLine); the command-line tests
// check the printing itself.
std::vector<std::string> printedPage(const CalendarTextGrid& grid)
{
    std::vector<std::string> lines;
    for (int line = 0; line <= grid.lastPageLine(); ++line)
        lines.emplace_back(grid.pageLine(line));
    return lines;
}

}  // namespace

TEST(CalendarGridTest, TextPageShape)
{
    const CalendarTextGrid grid = laidOutGrid(2010);
    const auto lines = printedPage(grid);
    EXPECT_EQ(blockLine(grid, 11, 1), "Mo Tu We Th Fr Sa Su");
    ASSERT_EQ(lines.size(), 44u);
    EXPECT_EQ(lines[3], std::string(34, ' ') + "2010");
    for (int row : {0, 6, 15, 24, 33, 43})
        EXPECT_EQ(lines[row], std::string(70, ' ')) << row;
    for (int top : {7, 16, 25, 34})
        EXPECT_EQ(lines[top].size(), 71u) << top;
    // Blocks at columns 27 and 51; titles centred on column 10 of the block.
    EXPECT_EQ(lines[34].substr(27, 20), "      November      ");
    EXPECT_EQ(lines[41].substr(51, 20), blockLine(grid, 11, 7));
}

TEST(CalendarGridTest, RebuildLeavesNoTrace)
{
    CalendarTextGrid grid = laidOutGrid(2010);
    const auto first = printedPage(grid);
    // A longer year line, another week start, and out-of-range weekend days
    // (wrapped, never used as indexes as they stand).
    for (int weekendDay : {3, -1, 7, -2147483647 - 1}) {
        grid.setYearAndWeekendDay(123456789, weekendDay);
        grid.layOut();
    }
    EXPECT_EQ(blockLine(grid, 0, 1), "Sa Su Mo Tu We Th Fr");  // INT_MIN is a Friday modulo 7
    grid.setYearAndWeekendDay(2010, 0);
    grid.layOut();
    EXPECT_EQ(printedPage(grid), first);
}

// Names of other languages on the text page: titles centred by columns, wide
// characters taking two, and bytes beyond the columns moving the rest of the
// line; English again afterwards leaves no trace of them.
TEST(CalendarGridTest, NamesOfOtherLanguagesKeepTheColumns)
{
    struct Case {
        std::array<std::string, 12> months;
        std::array<std::string, 7> headings;
        const char* titles;
        const char* header;
    };
    const std::vector<Case> cases = {
        {{"Janeiro", "Fevereiro", "Março"}, {"Dom", "Seg", "Ter", "Qua", "Qui", "Sex", "Sáb"},
         "          Janeiro                Fevereiro                 Março       ",
         "   Sg Te Qa Qi Sx Sá Do    Sg Te Qa Qi Sx Sá Do    Sg Te Qa Qi Sx Sá Do"},
        {{"1月", "2月", "3月"}, {"日", "月", "火", "水", "木", "金", "土"},
         "            1月                     2月                     3月        ",
         "   月 火 水 木 金 土 日    月 火 水 木 金 土 日    月 火 水 木 金 土 日"},
        {{std::string(30, 'x')}, {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
         "   xxxxxxxxxxxxxxxxxxxx                                                ",
         "   Mo Tu We Th Fr Sa Su    Mo Tu We Th Fr Sa Su    Mo Tu We Th Fr Sa Su"},
    };
    CalendarTextGrid grid = laidOutGrid(2026);
    const auto english = printedPage(grid);
    for (const Case& c : cases) {
        grid.setNames(c.months, c.headings);
        grid.layOut();
        EXPECT_EQ(grid.pageLine(7), std::string(c.titles));
        EXPECT_EQ(grid.pageLine(8), std::string(c.header));
    }
    grid.setNames(std::array<std::string, 12>{"January", "February", "March", "April", "May", "June", "July",
                                              "August", "September", "October", "November", "December"},
                  {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"});
    grid.layOut();
    EXPECT_EQ(printedPage(grid), english);
}

// Every accepted year and every week end, against the standard library's
// calendar: the first and the last of each month under their own weekday's
// header, and exactly the month's days (so every leap-year rule, 1900, 2000
// and 2100 among them).
TEST(CalendarGridTest, EveryYearMatchesTheStandardCalendar)
{
    using namespace std::chrono;
    CalendarTextGrid grid;
    for (int y = 1; y <= 9999; ++y) {
        const int weekendDay = y % 7;
        grid.setYearAndWeekendDay(y, weekendDay);
        grid.layOut();
        for (unsigned m = 1; m <= 12; ++m) {
            const auto columnOf = [&](sys_days day) { return static_cast<int>((weekday{day}.c_encoding() + 6 - weekendDay) % 7); };
            const sys_days first{year{y} / month{m} / 1}, last{year{y} / month{m} / std::chrono::last};
            const int column = columnOf(first);
            const int block = static_cast<int>(m) - 1;
            ASSERT_EQ(grid.cell(block, 1, 3 * column), weekdayNames[weekday{first}.c_encoding()][0]) << y << "-" << m;
            ASSERT_EQ(grid.cell(block, 2, 3 * column + 1), '1') << y << "-" << m;
            const int lastDay = static_cast<int>(unsigned(year_month_day{last}.day()));
            ASSERT_EQ(positionOfDay(grid, block, lastDay).first, columnOf(last)) << y << "-" << m;
            ASSERT_LT(positionOfDay(grid, block, lastDay + 1).first, 0) << y << "-" << m;
        }
    }
}

TEST(CalendarGridTest, TwelveMonthsFromAnyFirstMonth)
{
    CalendarTextGrid grid;
    grid.setYearAndWeekendDay(2026, 0);
    grid.setFirstMonth(9);
    grid.layOut();
    EXPECT_EQ(blockLine(grid, 0, 0), "      September     ");
    EXPECT_EQ(blockLine(grid, 4, 0), "       January      ");
    EXPECT_EQ(std::make_pair(grid.blockYear(4), grid.blockMonth(4)), std::make_pair(2027, 1));
    EXPECT_EQ(blockLine(grid, 0, 2).substr(0, 5), "    1");                 // September 1, 2026: a Tuesday
    EXPECT_EQ(positionOfDay(grid, 4, 1), std::make_pair(4, 2));             // January 1, 2027: a Friday
    EXPECT_EQ(positionOfDay(grid, 5, 28), std::make_pair(6, 5));            // February 2027 has 28 days
    EXPECT_EQ(positionOfDay(grid, 5, 29), std::make_pair(-1, -1));
    EXPECT_EQ(std::string(grid.pageLine(3)), std::string(31, ' ') + "2026-2027");
}
