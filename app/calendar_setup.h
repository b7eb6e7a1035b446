#pragma once
#include "app/command_line.h"
#include "calendar/page_options.h"

#include <string>
#include <vector>

// The calendar a `pdf` or `text` command asks for, with what the command line
// leaves open taken from the user's locale.
struct CalendarSetup {
    int weekendDay = 0;  // 0 = Sunday .. 6 = Saturday
    int firstMonth = 1;
    PageOptions page;  // the names (page.names) for the text page too
    std::vector<std::string> warnings;  // one line each, for standard error
    std::string error;                  // exit status 2, nothing written
    // The error is a bad option value (not a missing font), so the help is
    // pointed to after it.
    bool usageError = false;
};

// Everything but the marked days, which need the grid's span, and the check
// that the footer fits, which is made on the page itself (RenderedPdf).
CalendarSetup setUpCalendar(const CommandLine& line);

// The usage error for an own footer that does not fit across the page.
std::string unreadableFooterError(const std::string& footerText);
