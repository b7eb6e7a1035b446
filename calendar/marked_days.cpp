#include "calendar/marked_days.h"

#include "calendar/marks_module.h"
#include "calendar/shown_text.h"

namespace {

void addDay(void* context, long long day)
{
    static_cast<std::set<long long>*>(context)->insert(day);
}

}  // namespace

MarkedDays readMarkedDays(const std::string& path, long long firstDay, long long lastDay)
{
    MarkedDays result;
    std::string missing;
    const ReadMarksFunction read = marksReader(missing);
    if (!read) {
        result.error = "cannot read iCalendar files: this build has no iCalendar support (" + missing + ")";
        return result;
    }
    char error[512] = {};
    if (read(path.c_str(), firstDay, lastDay, addDay, &result.days, error, sizeof error) != 0)
        result.error = error[0] ? error : shownText(path) + ": cannot be read";
    return result;
}
