#pragma once
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

inline constexpr std::array<const char*, 12> monthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
inline constexpr std::array<const char*, 7> weekdayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// A whole year laid out as fixed-width text: twelve month blocks of 8 lines by
// 20 characters (title, weekday header, six week lines), and a 44-line text page
// that shows the year above the blocks, three to a row. The PDF page is drawn
// from the blocks cell by cell, so this is the one place where the calendar
// arithmetic is done.
class CalendarTextGrid {
public:
    static constexpr int blockLines = 8;
    static constexpr int blockColumns = 21;  // 20 text columns and a zero terminator
    static constexpr int pageLineCount = 500;
    static constexpr int pageColumns = 500;

    void setYearAndWeekendDay(int newYear, int newWeekendDay);
    void setYear(int value) { year = value; }
    int getYear() const { return year; }
    // The weekday that ends each week: 0 = Sunday .. 6 = Saturday.
    void setWeekendDay(int day) { weekendDay = day; }
    int getWeekendDay() const { return weekendDay; }
    // The month (1..12) that the first block shows; the twelve blocks run on
    // from it into the next year. 1 (January) unless set.
    void setFirstMonth(int month) { firstMonth = month; }
    int getFirstMonth() const { return firstMonth; }
    // Year and month (1..12) that block `block` (0..11) shows.
    int blockYear(int block) const { return year + (firstMonth - 1 + block) / 12; }
    int blockMonth(int block) const { return (firstMonth - 1 + block) % 12 + 1; }
    // Weekday column (0..6) of the first of the block's month, and the weekday
    // (0 = Sunday .. 6 = Saturday) shown in column 0.
    int startColumn(int block) const;
    int firstWeekday() const;

    // The month names and weekday headings (UTF-8, January and Sunday first)
    // of the text page; English unless set. Titles are cut to the block's 20
    // columns and headings to two columns each (textPageHeadings), wide
    // characters counting two; the blocks' cells hold them only when they are
    // ASCII, the text page always.
    void setNames(const std::array<std::string, 12>& months, const std::array<std::string, 7>& weekdayHeadings);

    // Lays the year out from the current year and weekend day, then prints the
    // text page to standard output.
    void build();
    // The layout alone, for callers that must keep standard output clean.
    void layOut();
    // Writes page lines 0 .. lastLine, each followed by a line feed.
    void printPage(std::FILE* out) const;

    // One character of month block `month` (0..11), line 0..7, column 0..20;
    // column 20 is always the block line's terminator (zero).
    char cell(int month, int line, int column) const { return monthBlocks[month][line][column]; }
    const char* pageLine(int line) const { return pageLines[line].data(); }
    int lastPageLine() const { return lastLine; }

private:
    void clearGrid();
    void writeMonthTitles();
    void writeWeekdayHeaders();
    void writeYearDays();
    void writeMonthDays(int startColumn, int days, int month);
    void composePage();
    std::string_view blockLineText(int month, int line) const;

    using BlockLine = std::array<char, blockColumns>;
    std::array<std::array<BlockLine, blockLines>, 12> monthBlocks{};
    std::array<std::array<char, pageColumns>, pageLineCount> pageLines{};
    // Block lines 0 (per month) and 1 as the text page shows them: 20 columns
    // of UTF-8, which may take more bytes than columns.
    std::array<std::string, 12> titleLines;
    std::string headerLine;
    std::array<std::string, 12> months;
    std::array<std::string, 7> headings;
    bool namesSet = false;
    int usedPageColumns = 0;  // bytes of the widest page line written so far
    int year = 0;
    int weekendDay = 0;
    int firstMonth = 1;
    int columnSpacing = 0;
    int rowSpacing = 0;
    int monthsPerRow = 0;
    int lineWidth = 0;
    int lastLine = 0;
};

// Writes the calendar's title into `text`: the year, or "2026-2027" when the
// twelve months start after January. Returns its length.
int formatCalendarTitle(char* text, std::size_t size, int year, int firstMonth);

// The program's one grid, zero-filled at start.
extern CalendarTextGrid calendarGrid;
