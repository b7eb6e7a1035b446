#include "calendar/marked_days.h"

#include "calendar/marks_module.h"
#include "calendar/shown_text.h"
#include "platform/module_function.h"

namespace {

// orvelplan-marks.so, or the system's name for such a module.
constexpr const char* marksModuleFileName = MARKS_MODULE_FILE_NAME;

void addDay(void* context, long long day)
{
    static_cast<std::set<long long>*>(context)->insert(day);
}

}  // namespace

MarkedDays readMarkedDays(const std::string& path, long long firstDay, long long lastDay)
{
    MarkedDays result;
    // The iCalendar library is large: loaded only when a file is to be read,
    // it costs the other calendars nothing.
    const ModuleFunction module = functionInProgramModule(marksModuleFileName, readMarksFunctionName);
    if (!module.address) {
        result.error = "cannot read iCalendar files: this build has no iCalendar support (" + module.error + ")";
        return result;
    }
    const auto read = reinterpret_cast<ReadMarksFunction>(module.address);
    char error[512] = {};
    if (read(path.c_str(), firstDay, lastDay, addDay, &result.days, error, sizeof error) != 0)
        result.error = error[0] ? error : shownText(path) + ": cannot be read";
    return result;
}
