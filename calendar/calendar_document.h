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
};

// Draws the calendar on a one-page PDF in memory.
RenderedPdf renderCalendarPdf(const CalendarRequest& request);

// Draws the calendar and writes it to `path` (writeFileAtomically: a regular
// file is replaced whole or not at all, a FIFO or device is written into, a
// folder is refused). Nothing on disk is touched until the whole document is
// ready. Returns the outcome; its error is one line, empty on success.
SaveResult createCalendarPdf(const CalendarRequest& request, const std::string& path);

// A calendar saved under a free number in the program folder.
struct CalendarFile {
    std::string path;   // where the calendar was written
    std::string error;  // empty when the calendar was saved
    SavedFile file;     // held until the caller lets go, so other copies pick another number
    bool saved() const { return error.empty(); }
};

// The "Create Calendar" command's file: writes the calendar as orvelplanN.pdf
// in the program folder (saveUnderFreeOutputPath's rules). Showing it is the
// caller's affair.
CalendarFile createCalendar(const CalendarRequest& request);
