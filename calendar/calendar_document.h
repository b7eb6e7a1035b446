#pragma once
#include <cstdio>
#include <hpdf_types.h>
#include <string>

#include "calendar/page_options.h"
#include "platform/file_save.h"

class CalendarTextGrid;

// calendarLayout values.
inline constexpr int threePerRowLayoutId = 0;  // "3 Months / row"
inline constexpr int twoPerRowLayoutId = 1;    // "2 Months / row"

// The PDF library's memory functions; null ones leave the library its own.
struct PdfMemoryHooks {
    HPDF_Alloc_Func allocate = nullptr;
    HPDF_Free_Func release = nullptr;
};

// One calendar to make from a built grid. The default page is the window's:
// A4, English, nothing added. `diagnostics` is where PDF library errors are
// reported as "ERROR: error_no=XXXX, detail_no=N"; with nullptr only the
// result's error tells what failed.
struct CalendarRequest {
    explicit CalendarRequest(const CalendarTextGrid& builtGrid, int calendarLayout = threePerRowLayoutId,
                             std::FILE* errorsTo = stdout)
        : grid(builtGrid), layout(calendarLayout), diagnostics(errorsTo)
    {
    }
    const CalendarTextGrid& grid;
    int layout;
    std::FILE* diagnostics;
    PageOptions page;
    PdfMemoryHooks memory;
};

// A calendar drawn and saved into memory: the complete file, or the reason it
// could not be made.
struct RenderedPdf {
    std::string bytes;
    std::string error;  // empty when `bytes` holds the whole document
    // The page options' own footer does not fit across the page at
    // smallestFooterSize or larger, so no document was made (error says so).
    bool footerTooSmall = false;
};

// Draws the calendar on a one-page PDF in memory.
RenderedPdf renderCalendarPdf(const CalendarRequest& request);

// Writes a drawn calendar to `path` (writeFileAtomically: a regular file is
// replaced whole or not at all, a FIFO or device is written into, a folder
// is refused); a calendar that could not be drawn gives its error. Returns
// the outcome; its error is one line, empty on success.
SaveResult saveCalendarPdf(const RenderedPdf& pdf, const std::string& path);

// A calendar saved under a free number in the program folder.
struct CalendarFile {
    std::string path;   // where the calendar was written
    std::string error;  // empty when the calendar was saved
    SavedFile file;     // held until the caller lets go, so other copies pick another number
    bool saved() const { return error.empty(); }
};

// Writes a drawn calendar as orvelplanN.pdf in the program folder
// (saveUnderFreeOutputPath's rules); a calendar that could not be drawn gives
// its error.
CalendarFile saveCalendar(const RenderedPdf& pdf);

// The "Create Calendar" command's file: draws the calendar and saves it as
// saveCalendar does. Showing it is the caller's affair.
CalendarFile createCalendar(const CalendarRequest& request);
