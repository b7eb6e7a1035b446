#include "calendar/calendar_grid.h"
#include "calendar/civil_date.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
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

CalendarTextGrid& builtGrid(int year, int weekendDay)
{
    static CalendarTextGrid grid;
    grid.setYearAndWeekendDay(year, weekendDay);
    grid.layOut();
    return grid;
}

// Column (0..6) and block line of `day` in `month`, found by scanning the grid.
std::pair<int, int> positionOfDay(const CalendarTextGrid& grid, int month, int day)
{
    char expected[3];
    std::snprintf(expected, sizeof expected, "%2d", day);
    for (int line = 2; line < 8; ++line)
        for (int column = 0; column < 7; ++column)
            if (grid.cell(month, line, 3 * column) == expected[0] && grid.cell(month, line, 3 * column + 1) == expected[1])
                return {column, line};
    return {-1, -1};
}

std::vector<std::string> printedPage(const CalendarTextGrid& grid)
{
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&buffer, &size);
    grid.printPage(out);
    std::fclose(out);
    std::vector<std::string> lines;
    std::string text(buffer, size);
    std::free(buffer);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

TEST(CalendarGridTest, WeekdayColumnsFollowTheWeekendDay)
{
    const auto& sundayEnds = builtGrid(2010, 0);
    EXPECT_EQ(blockLine(sundayEnds, 0, 1), "Mo Tu We Th Fr Sa Su");
    EXPECT_EQ(blockLine(sundayEnds, 11, 1), "Mo Tu We Th Fr Sa Su");
    // January 1, 2010 was a Friday: column 4 of a week that starts on Monday.
    EXPECT_EQ(blockLine(sundayEnds, 0, 2).substr(12, 2), " 1");
    EXPECT_EQ(positionOfDay(sundayEnds, 7, 1), std::make_pair(6, 2));   // August starts on a Sunday
    EXPECT_EQ(positionOfDay(sundayEnds, 7, 30), std::make_pair(0, 7));
    EXPECT_EQ(positionOfDay(sundayEnds, 7, 31), std::make_pair(1, 7));
    EXPECT_EQ(positionOfDay(sundayEnds, 4, 1), std::make_pair(5, 2));   // May starts on a Saturday
    EXPECT_EQ(blockLine(sundayEnds, 4, 7), "31                  ");

    const auto& saturdayEnds = builtGrid(2010, 6);
    EXPECT_EQ(blockLine(saturdayEnds, 3, 1), "Su Mo Tu We Th Fr Sa");
    EXPECT_EQ(positionOfDay(saturdayEnds, 0, 1), std::make_pair(5, 2));

    // A month whose first day falls in column 0 starts with " 1".
    const auto& mondayFirst = builtGrid(2010, 0);
    EXPECT_EQ(blockLine(mondayFirst, 1, 2).substr(0, 2), " 1");  // February 1, 2010 was a Monday
}

TEST(CalendarGridTest, MonthLengthsAndLeapYears)
{
    const auto lastDayOfFebruary = [](int year) {
        const auto& grid = builtGrid(year, 0);
        return positionOfDay(grid, 1, 29).first >= 0 ? 29 : 28;
    };
    for (int year : {2012, 2016, 2000, 2400})
        EXPECT_EQ(lastDayOfFebruary(year), 29) << year;
    for (int year : {2010, 2011, 2013, 2014, 2015, 1900, 2100})
        EXPECT_EQ(lastDayOfFebruary(year), 28) << year;

    const auto& grid = builtGrid(2010, 0);
    const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 0; month < 12; ++month) {
        EXPECT_GE(positionOfDay(grid, month, lengths[month]).first, 0) << month;
        if (lengths[month] < 31) {
            EXPECT_LT(positionOfDay(grid, month, lengths[month] + 1).first, 0) << month;
        }
    }
}

TEST(CalendarGridTest, TitlesAndTerminators)
{
    const auto& grid = builtGrid(2010, 0);
    EXPECT_EQ(blockLine(grid, 0, 0), "       January      ");
    EXPECT_EQ(blockLine(grid, 8, 0), "      September     ");  // columns 6..14
    EXPECT_EQ(blockLine(grid, 4, 0), "         May        ");  // columns 9..11
    for (int month = 0; month < 12; ++month)
        for (int line = 0; line < 8; ++line)
            EXPECT_EQ(grid.cell(month, line, 20), '\0');
}

TEST(CalendarGridTest, TextPageLinesAndLengths)
{
    const auto& grid = builtGrid(2010, 0);
    const auto lines = printedPage(grid);
    ASSERT_EQ(lines.size(), 44u);
    EXPECT_EQ(lines[3], std::string(34, ' ') + "2010");
    for (int row : {0, 1, 2, 4, 5, 6, 15, 24, 33, 42, 43})
        EXPECT_EQ(lines[row], std::string(70, ' ')) << row;
    for (int top : {7, 16, 25, 34})
        for (int line = 0; line < 8; ++line)
            EXPECT_EQ(lines[top + line].size(), 71u) << top + line;
    // The blocks stand at columns 3, 27 and 51.
    EXPECT_EQ(lines[7].substr(3, 20), blockLine(grid, 0, 0));
    EXPECT_EQ(lines[8].substr(27, 20), blockLine(grid, 1, 1));
    EXPECT_EQ(lines[34 + 7].substr(51, 20), blockLine(grid, 11, 7));
    EXPECT_EQ(grid.lastPageLine(), 43);
}

TEST(CalendarGridTest, RebuildLeavesNoTrace)
{
    CalendarTextGrid grid;
    grid.setYearAndWeekendDay(2010, 0);
    grid.layOut();
    const auto first = printedPage(grid);

    grid.setYearAndWeekendDay(123456789, 3);  // a long year line and another week start
    grid.layOut();
    grid.setYearAndWeekendDay(2010, 0);
    grid.layOut();
    EXPECT_EQ(printedPage(grid), first);
    grid.layOut();
    EXPECT_EQ(printedPage(grid), first);
}

// Every accepted year and weekend day, against the standard library's calendar:
// the first of each month sits under its weekday's header and the month has
// exactly its days.
TEST(CalendarGridTest, EveryYearMatchesTheStandardCalendar)
{
    using namespace std::chrono;
    CalendarTextGrid grid;
    for (int year = 1; year <= 9999; ++year) {
        const int weekendDay = year % 7;
        grid.setYearAndWeekendDay(year, weekendDay);
        grid.layOut();
        for (int month = 0; month < 12; ++month) {
            const year_month_day first{std::chrono::year{year}, std::chrono::month{unsigned(month + 1)}, day{1}};
            const unsigned weekday = std::chrono::weekday{sys_days{first}}.c_encoding();
            const int column = static_cast<int>((weekday + 6 - unsigned(weekendDay)) % 7);
            const char* name = weekdayNames[weekday];
            ASSERT_EQ(grid.cell(month, 1, 3 * column), name[0]) << year << "-" << month + 1;
            ASSERT_EQ(grid.cell(month, 1, 3 * column + 1), name[1]) << year << "-" << month + 1;
            ASSERT_EQ(grid.cell(month, 2, 3 * column + 1), '1') << year << "-" << month + 1;
            const unsigned last = unsigned(year_month_day_last{std::chrono::year{year}, month_day_last{std::chrono::month{unsigned(month + 1)}}}.day());
            ASSERT_EQ(daysInMonth(year, month + 1), int(last)) << year << "-" << month + 1;
        }
    }
}

TEST(CivilDateTest, AgreesWithZellerWhereZellerHolds)
{
    // The congruence with truncating division is exact while t stays non-negative.
    for (int year = 1; year <= 2999; ++year)
        for (int month = 1; month <= 12; ++month) {
            int mm = month, y = year;
            if (mm < 3) {
                mm += 10;
                y -= 1;
            } else {
                mm -= 2;
            }
            const int j = y / 100, k = y - 100 * j;
            const int t = k + k / 4 + (26 * mm - 1) / 10 + 2 * (25 - j) + j / 4;
            ASSERT_EQ(weekdayOf(year, month, 1), t % 7) << year << "-" << month;
        }
}

TEST(CivilDateTest, DayCountAnchors)
{
    EXPECT_EQ(daysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(daysFromCivil(2000, 3, 1), 11017);
    EXPECT_EQ(daysFromCivil(1, 1, 1), -719162);
    EXPECT_EQ(weekdayOf(1, 1, 1), 1);       // a Monday in the proleptic Gregorian calendar
    EXPECT_EQ(weekdayOf(9999, 12, 31), 5);  // a Friday
    EXPECT_EQ(weekdayOf(-1, 12, 31), 5);
}

TEST(CalendarGridTest, OutOfRangeWeekendDayStaysInsideTheBlocks)
{
    CalendarTextGrid grid;
    for (int weekendDay : {-1, 7, -2147483647 - 1, 2147483647}) {
        grid.setYearAndWeekendDay(2010, weekendDay);
        grid.layOut();
        const int wrapped = ((weekendDay % 7) + 7) % 7;
        CalendarTextGrid reference;
        reference.setYearAndWeekendDay(2010, wrapped);
        reference.layOut();
        EXPECT_EQ(blockLine(grid, 0, 1), blockLine(reference, 0, 1)) << weekendDay;
    }
}
