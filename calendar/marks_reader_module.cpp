#include "calendar/marks_module.h"
#include "platform/module_function.h"

namespace {

// orvelplan-marks.so, or the system's name for such a module.
constexpr const char* marksModuleFileName = MARKS_MODULE_FILE_NAME;

}  // namespace

// The iCalendar library is large: loaded only when a file is to be read, it
// costs the other calendars nothing.
ReadMarksFunction marksReader(std::string& error)
{
    const ModuleFunction module = functionInProgramModule(marksModuleFileName, readMarksFunctionName);
    error = module.error;
    return reinterpret_cast<ReadMarksFunction>(module.address);
}
