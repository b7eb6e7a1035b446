#pragma once
#include <optional>
#include <string>

// The calendar options of `pdf` (and the ones `text` takes), as the command
// line gave them; what is not given comes from the locale or is today's page.
struct CalendarChoices {
    std::optional<int> paper;        // index into paperNames
    bool landscape = false;
    std::optional<std::string> language;  // "de", or with a territory "pt_BR"
    std::optional<int> weekStarts;   // 0 = Sunday .. 6 = Saturday
    bool weekNumbers = false;
    std::string marksFile;           // empty: no marked days
    bool shadeWeekends = false;
    int firstMonth = 1;              // 1..12
    std::optional<std::string> footer;
    bool noFooter = false;
    bool compress = false;
};

// The --paper names, in the order of their sizes in page_options.h.
inline constexpr const char* paperNames[] = {"a4", "letter", "legal", "a3", "a5"};
