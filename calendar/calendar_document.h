#pragma once
#include <cstdio>
#include <string>

class CalendarTextGrid;
struct PageOptions;

// calendarLayout values.
inline constexpr int threePerRowLayoutId = 0;  // "3 Months / row"
inline constexpr int twoPerRowLayoutId = 1;    // "2 Months / row"

// Draws the built grid on a one-page PDF and saves it at `path`. The document is
// written to a temporary file in the same folder and renamed over `path` only
// once complete, so a failure never leaves a partial file at `path`. PDF library
// errors are reported on `diagnostics` as "ERROR: error_no=XXXX, detail_no=N".
// Returns an empty string on success, otherwise a one-line reason. Without
// `options` the page is the window's: A4, English, nothing added.
std::string createCalendarPdf(const std::string& path, const CalendarTextGrid& grid, int calendarLayout,
                              std::FILE* diagnostics = stdout, const PageOptions* options = nullptr);

// Outcome of the "Create Calendar" command.
struct CalendarFile {
    std::string path;   // where the calendar was (or would have been) written
    std::string error;      // empty when the calendar was saved
    std::string openError;  // empty when the viewer was started (or not asked for)
    bool saved() const { return error.empty(); }
};

// The "Create Calendar" command: writes the grid as orvelplanN.pdf in the program
// folder (the first N in 0..99 whose file can be cleared) and, when the file was
// saved and `openWhenSaved` is set, hands it to the default viewer.
CalendarFile createCalendar(const CalendarTextGrid& grid, int calendarLayout, bool openWhenSaved = true,
                            std::FILE* diagnostics = stdout, const PageOptions* options = nullptr);
