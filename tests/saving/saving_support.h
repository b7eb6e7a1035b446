#pragma once
// Helpers of the saving tests: calendars to compare with and folder listings.
#include <algorithm>
#include <cstdlib>

#include "calendar/calendar_document.h"
#include "tests/support/files.h"
#include "tests/support/grids.h"
#ifndef _WIN32
#include "tests/support/program.h"
#endif

namespace saving_test {

inline long temporaryFilesIn(const std::string& folder)
{
    const std::set<std::string> names = namesIn(folder);
    return std::count_if(names.begin(), names.end(), [](const std::string& name) {
        return name.starts_with(".orvelplan-") && name.ends_with(".tmp");
    });
}

// The calendar of `year` in the three-per-row layout, as the program writes it.
inline std::string calendarBytes(int year)
{
    return renderCalendarPdf(CalendarRequest(gridOf(year), threePerRowLayoutId, nullptr)).bytes;
}

// The calendar of 2010 saved to `path` as `--output` saves it: the error, empty on success.
inline std::string saveCalendarTo(const std::string& path)
{
    return saveCalendarPdf(renderCalendarPdf(CalendarRequest(gridOf(2010), threePerRowLayoutId, nullptr)), path).error;
}

// How many times the heavy loops go round: ORVEL_STRESS=1 (the separate
// saving_stress test) asks for the full counts.
inline int rounds(int quick, int full)
{
    const char* stress = std::getenv("ORVEL_STRESS");
    return stress && stress[0] == '1' ? full : quick;
}

}  // namespace saving_test
