#include "calendar/calendar_grid.h"

#include "calendar/civil_date.h"
#include "calendar/weekday_headings.h"

#include <algorithm>
#include <cstring>

// Constant-initialised: the program starts with the zeroed grid in place
// instead of clearing a quarter of a megabyte at every start.
constinit CalendarTextGrid calendarGrid;

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

void CalendarTextGrid::setNames(const std::array<std::string, 12>& monthTexts,
                                const std::array<std::string, 7>& weekdayHeadings)
{
    months = monthTexts;
    headings = textPageHeadings(weekdayHeadings);
    namesSet = true;
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
    // Names wider in bytes than in columns may have written past them: that
    // is cleared again, so that no earlier build shows through.
    const int cleared = lineWidth + 4;
    for (auto& line : pageLines) {
        std::memset(line.data(), ' ', cleared);
        if (usedPageColumns > cleared)
            std::memset(line.data() + cleared, 0, usedPageColumns - cleared);
        line[pageColumns - 1] = '\0';
    }
    usedPageColumns = 0;
}

void CalendarTextGrid::writeMonthTitles()
{
    for (int m = 0; m < 12; ++m) {
        int width = 0;
        const std::string name = fitColumns(namesSet ? months[blockMonth(m) - 1] : monthNames[blockMonth(m) - 1],
                                            textColumns, &width);
        const auto before = static_cast<std::size_t>(10 - width / 2);
        titleLines[m] = std::string(before, ' ') + name + std::string(textColumns - before - width, ' ');
        if (titleLines[m].size() == textColumns)
            std::memcpy(monthBlocks[m][0].data(), titleLines[m].data(), textColumns);
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
    headerLine.clear();
    for (int i = 0; i < 7; ++i) {
        const int day = (i + first) % 7;
        int width = 0;
        headerLine += fitColumns(namesSet ? headings[day] : std::string(weekdayNames[day], 2), 2, &width);
        headerLine.append(static_cast<std::size_t>(2 - width + (i < 6 ? 1 : 0)), ' ');
    }
    if (headerLine.size() == textColumns)
        for (auto& block : monthBlocks)
            std::memcpy(block[1].data(), headerLine.data(), textColumns);
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

    // A line whose names take more bytes than columns moves what follows it
    // on the page line by the difference (`extra`).
    int top = firstBlockLine;
    int left = firstBlockColumn;
    int placedInRow = 0;
    std::array<int, blockLines> extra{};
    for (int month = 0; month < 12; ++month) {
        const bool lastInRow = placedInRow + 1 == monthsPerRow;
        for (int line = 0; line < blockLines; ++line) {
            const std::string_view text = blockLineText(month, line);
            char* at = &pageLines[top + line][left + extra[line]];
            std::memcpy(at, text.data(), text.size());
            extra[line] += static_cast<int>(text.size()) - textColumns;
            if (extra[line] != 0 && !lastInRow)
                std::memset(at + text.size(), ' ', static_cast<std::size_t>(columnSpacing) + 1);
            usedPageColumns = std::max(usedPageColumns, left + extra[line] + textColumns + columnSpacing + 1);
        }
        if (!lastInRow) {
            ++placedInRow;
            left += columnSpacing + textColumns + 1;
        } else {
            placedInRow = 0;
            extra = {};
            top += blockLines + rowSpacing / 2;
            left = firstBlockColumn;
        }
    }
    lastLine = top;
}

std::string_view CalendarTextGrid::blockLineText(int month, int line) const
{
    if (line == 0)
        return titleLines[month];
    if (line == 1)
        return headerLine;
    return {monthBlocks[month][line].data(), textColumns};
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
