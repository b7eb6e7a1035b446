#pragma once
#include "calendar/calendar_grid.h"

// The text grid of `year` with weeks ending on `weekendDay`, laid out.
inline CalendarTextGrid laidOutGrid(int year, int weekendDay = 0)
{
    CalendarTextGrid grid;
    grid.setYearAndWeekendDay(year, weekendDay);
    grid.layOut();
    return grid;
}
