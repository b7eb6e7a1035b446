#pragma once
#include <hpdf.h>

class CalendarTextGrid;
struct PageOptions;

// Drawing parameters of one calendar page. Lengths are PDF points (1/72 inch),
// y grows upwards from the bottom edge of the page.
struct PageLayout {
    const char* fontName;
    int yearFontSize;
    int bodyFontSize;  // month names, weekday header, days and footer
    int cellWidth;     // horizontal pitch of one grid character
    int lineStep;      // vertical pitch of one grid line
    int monthsPerRow;
    int blockLines;    // block lines drawn per month: title, header, six week lines
    int lineCells;     // cells drawn per week line, terminator included
    int rowPitch;      // height reserved for one row of months
    int columnPitch;   // width reserved for one month column
    int leftMargin;
    int columnGap;     // added to columnPitch between month columns
    int topMargin;     // top edge to the month-name baseline of the first row
    int rowGap;        // added to rowPitch between month rows
    int yearDrop;      // top edge to the year baseline
};

// The two page layouts for a page of the given size (as the library reports it).
PageLayout threePerRowLayout(float pageWidth, float pageHeight);
PageLayout twoPerRowLayout(float pageWidth, float pageHeight);
// Either layout (threePerRowLayoutId, twoPerRowLayoutId) with `monthsPerRow`
// month columns: 3 or 2 on an upright page, 4 or 6 on a landscape one.
PageLayout calendarLayoutFor(int calendarLayout, int monthsPerRow, float pageWidth, float pageHeight);

// The page being drawn and the grid it is drawn from.
struct CalendarPage {
    HPDF_Doc document;
    HPDF_Page page;
    const CalendarTextGrid& grid;
};

// Fill the layout from the page's size and draw the calendar with it.
void layoutThreePerRow(const CalendarPage& target);
void layoutTwoPerRow(const CalendarPage& target);

// Sets the page's paper, fits the chosen layout to it (scaling the whole
// drawing when the paper is too small for it, or larger than A4 in both
// directions) and draws the calendar with the options.
void drawCalendarWithOptions(const CalendarPage& target, int calendarLayout, const PageOptions& options);

// The smallest size, in printed points, a footer is set at.
inline constexpr int smallestFooterSize = 6;
// Whether the options' own footer text fits across the page at
// smallestFooterSize or larger with that layout (true when there is none).
// A longer one would be set smaller than that, so it is refused instead.
bool footerFitsReadably(int calendarLayout, const PageOptions& options);

// Draws the year title, the twelve months cell by cell and the footer. Stops
// early once the library has reported an error: the document is then discarded.
void drawCalendarPage(const CalendarPage& target, const PageLayout& pageLayout);
