#pragma once
#include <optional>
#include <string>

#include "app/language_codes.h"

// The calendar options of `pdf` (and the ones `text` takes), as the command
// line gave them; what is not given comes from the locale or is today's page.
struct CalendarChoices {
    std::optional<int> paper;        // index into papers (calendar/paper.h)
    bool landscape = false;
    std::optional<ChosenLanguage> language;
    std::optional<int> weekStarts;   // 0 = Sunday .. 6 = Saturday
    bool weekNumbers = false;
    std::string marksFile;           // empty: no marked days
    bool shadeWeekends = false;
    int firstMonth = 1;              // 1..12
    std::optional<std::string> footer;
    bool noFooter = false;
    bool compress = false;
};

