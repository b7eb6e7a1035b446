#include "calendar/marks_module.h"

ReadMarksFunction marksReader(std::string&)
{
    return orvelplanReadMarks;
}
