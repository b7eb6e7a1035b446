#pragma once
#include <cstdio>
#include <hpdf_types.h>
#include <string>

#include "platform/file_save.h"

class CalendarTextGrid;
struct PageOptions;

// calendarLayout values.
inline constexpr int threePerRowLayoutId = 0;  // "3 Months / row"
inline constexpr int twoPerRowLayoutId = 1;    // "2 Months / row"

// The PDF library's memory functions; null ones leave the library its own.
struct PdfMemoryHooks {
    HPDF_Alloc_Func allocate = nullptr;
    HPDF_Free_Func release = nullptr;
};

// A calendar drawn and saved into memory: the complete file, or the reason it
// could not be made.
struct RenderedPdf {
    std::string bytes;
    std::string error;  // empty when `bytes` holds the whole document
};

// Draws the built grid on a one-page PDF in memory. PDF library errors are
// reported on `diagnostics` (when given) as "ERROR: error_no=XXXX, detail_no=N".
// Without `options` the page is the window's: A4, English, nothing added.
RenderedPdf renderCalendarPdf(const CalendarTextGrid& grid, int calendarLayout, std::FILE* diagnostics,
                              PdfMemoryHooks memory = {}, const PageOptions* options = nullptr);

// Draws the calendar and writes it to `path` (writeFileAtomically: a regular
// file is replaced whole or not at all, a FIFO or device is written into, a
// folder is refused). Nothing on disk is touched until the whole document is
// ready. Returns the outcome; its error is one line, empty on success.
SaveResult createCalendarPdf(const std::string& path, const CalendarTextGrid& grid, int calendarLayout,
                             std::FILE* diagnostics = stdout, PdfMemoryHooks memory = {},
                             const PageOptions* options = nullptr);

// Outcome of the "Create Calendar" command.
struct CalendarFile {
    std::string path;       // where the calendar was written
    std::string error;      // empty when the calendar was saved
    std::string openError;  // empty when the viewer was started (or not asked for)
    SavedFile file;         // held until the caller lets go, so other copies pick another number
    bool saved() const { return error.empty(); }
};

// The "Create Calendar" command: writes the grid as orvelplanN.pdf in the
// program folder (saveUnderFreeOutputPath's rules) and, when the file was saved and
// `openWhenSaved` is set, hands it to the default viewer.
CalendarFile createCalendar(const CalendarTextGrid& grid, int calendarLayout, bool openWhenSaved = true,
                            std::FILE* diagnostics = stdout, PdfMemoryHooks memory = {},
                            const PageOptions* options = nullptr);
