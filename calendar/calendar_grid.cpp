#include "calendar/calendar_grid.h"

#include "calendar/civil_date.h"

#include <algorithm>
#include <cstring>

CalendarTextGrid calendarGrid;

namespace {

// The grid's fixed shape: three blocks of 20 columns per text row, 3 blank
// columns between blocks and one blank page line between rows.
constexpr int fixedColumnSpacing = 3;
constexpr int fixedRowSpacing = 3;
constexpr int fixedMonthsPerRow = 3;
constexpr int textColumns = 20;
constexpr int firstBlockLine = 7;
constexpr int firstBlockColumn = 3;
constexpr int yearLine = 3;

// Weekday index 0..6 for any int, so a stray weekend day cannot index outside the names.
constexpr int wrapWeekday(long long day)
{
    return static_cast<int>(((day % 7) + 7) % 7);
}

}  // namespace

void CalendarTextGrid::setYearAndWeekendDay(int newYear, int newWeekendDay)
{
    year = newYear;
    weekendDay = newWeekendDay;
}

void CalendarTextGrid::build()
{
    layOut();
    printPage(stdout);
}

void CalendarTextGrid::layOut()
{
    columnSpacing = fixedColumnSpacing;
    rowSpacing = fixedRowSpacing;
    monthsPerRow = fixedMonthsPerRow;
    clearGrid();
    writeMonthTitles();
    writeWeekdayHeaders();
    writeYearDays();
    composePage();
}

void CalendarTextGrid::clearGrid()
{
    lineWidth = (monthsPerRow - 1) * columnSpacing + monthsPerRow * textColumns;
    for (auto& block : monthBlocks)
        for (auto& line : block)
            std::memset(line.data(), ' ', textColumns);
    // Columns past the cleared ones keep their zero, which ends each page line.
    for (auto& line : pageLines) {
        std::memset(line.data(), ' ', lineWidth + 4);
        line[pageColumns - 1] = '\0';
    }
}

void CalendarTextGrid::writeMonthTitles()
{
    for (int m = 0; m < 12; ++m) {
        const char* name = monthNames[blockMonth(m) - 1];
        const std::size_t length = std::strlen(name);
        std::memcpy(&monthBlocks[m][0][10 - length / 2], name, length);
    }
}

// Index in weekdayNames of the weekday shown in the first column.
int CalendarTextGrid::firstWeekday() const
{
    return wrapWeekday(static_cast<long long>(weekendDay) + 1);
}

void CalendarTextGrid::writeWeekdayHeaders()
{
    const int first = firstWeekday();
    BlockLine& header = monthBlocks[0][1];
    for (int i = 0; i < 7; ++i) {
        const char* name = weekdayNames[(i + first) % 7];
        header[3 * i] = name[0];
        header[3 * i + 1] = name[1];
    }
    for (int m = 1; m < 12; ++m)
        std::memcpy(monthBlocks[m][1].data(), header.data(), textColumns);
}

int CalendarTextGrid::startColumn(int block) const
{
    return wrapWeekday(weekdayOf(blockYear(block), blockMonth(block), 1) - firstWeekday());
}

void CalendarTextGrid::writeYearDays()
{
    for (int m = 0; m < 12; ++m)
        writeMonthDays(startColumn(m), daysInMonth(blockYear(m), blockMonth(m)), m);
}

// startColumn is 0..6 and days at most 31, so the last day lands on block line 7
// at the latest.
void CalendarTextGrid::writeMonthDays(int startColumn, int days, int month)
{
    int position = 3 * startColumn;
    int line = 2;
    for (int day = 1; day <= days; ++day) {
        monthBlocks[month][line][position] = day < 10 ? ' ' : static_cast<char>('0' + day / 10);
        monthBlocks[month][line][position + 1] = static_cast<char>('0' + day % 10);
        position += 3;
        if (position > 18) {
            position = 0;
            ++line;
        }
    }
}

void CalendarTextGrid::composePage()
{
    // The title, centred over the month area as if it had at least four
    // characters; its terminator ends the line.
    char title[32];
    const int titleLength = formatCalendarTitle(title, sizeof title, year, firstMonth);
    const int yearColumn = 3 + (lineWidth - std::max(titleLength, 4)) / 2;
    std::memcpy(&pageLines[yearLine][yearColumn], title, static_cast<std::size_t>(titleLength) + 1);

    int top = firstBlockLine;
    int left = firstBlockColumn;
    int placedInRow = 0;
    for (const auto& block : monthBlocks) {
        for (int line = 0; line < blockLines; ++line)
            std::memcpy(&pageLines[top + line][left], block[line].data(), textColumns);
        if (++placedInRow < monthsPerRow) {
            left += columnSpacing + textColumns + 1;
        } else {
            placedInRow = 0;
            top += blockLines + rowSpacing / 2;
            left = firstBlockColumn;
        }
    }
    lastLine = top;
}

int formatCalendarTitle(char* text, std::size_t size, int year, int firstMonth)
{
    const int length = firstMonth == 1
                           ? std::snprintf(text, size, "%u", static_cast<unsigned>(year))
                           : std::snprintf(text, size, "%u-%u", static_cast<unsigned>(year), static_cast<unsigned>(year) + 1);
    return length < 0 ? 0 : std::min(length, static_cast<int>(size) - 1);
}

void CalendarTextGrid::printPage(std::FILE* out) const
{
    for (int line = 0; line <= lastLine; ++line)
        std::fprintf(out, "%s\n", pageLines[line].data());
}
