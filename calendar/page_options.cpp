#include "calendar/page_options.h"

#include "calendar/calendar_grid.h"
#include "calendar/visual_order.h"

CalendarNames englishCalendarNames()
{
    CalendarNames names;
    for (int m = 0; m < 12; ++m)
        names.months[m] = monthNames[m];
    for (int d = 0; d < 7; ++d)
        names.weekdays[d] = std::string(weekdayNames[d], 2);
    return names;
}

std::vector<std::string> pageTexts(const CalendarNames& names, const std::string& footerText)
{
    std::vector<std::string> texts(names.months.begin(), names.months.end());
    texts.insert(texts.end(), names.weekdays.begin(), names.weekdays.end());
    texts.push_back(footerText);
    for (std::string& text : texts)
        text = visualOrder(text);
    return texts;
}
