#pragma once
#include <hpdf.h>

class CalendarTextGrid;
class ScratchFile;
struct PageOptions;

// The page being drawn and the grid it is drawn from; the library reads an
// embedded font from `fontFile` until the document is freed (loadEmbeddedFont).
struct CalendarPage {
    HPDF_Doc document;
    HPDF_Page page;
    const CalendarTextGrid& grid;
    ScratchFile& fontFile;
};

// Draws the year title, the twelve months cell by cell and the footer in the
// chosen layout (threePerRowLayoutId, twoPerRowLayoutId; any other leaves the
// page empty). The options set the paper, to which the layout is fitted
// (scaling the whole drawing when the paper is too small for it, or larger
// than A4 in both directions); default options draw the window's page. Stops
// early once the library has reported an error: the document is then discarded.
// Returns false, leaving the footer out, when the options' own footer text
// does not fit across the page at smallestFooterSize or larger: it would be
// set smaller than that, so the page is refused instead.
bool drawCalendar(const CalendarPage& target, int calendarLayout, const PageOptions& options);

// The smallest size, in printed points, a footer is set at.
inline constexpr int smallestFooterSize = 6;
