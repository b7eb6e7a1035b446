#include "calendar/page_options.h"

#include "calendar/calendar_grid.h"

CalendarNames englishCalendarNames()
{
    CalendarNames names;
    for (int m = 0; m < 12; ++m)
        names.months[m] = monthNames[m];
    for (int d = 0; d < 7; ++d)
        names.weekdays[d] = std::string(weekdayNames[d], 2);
    return names;
}
