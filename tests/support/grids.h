#pragma once
#include <map>

#include "calendar/calendar_grid.h"

// The text grid of `year` with weeks ending on `weekendDay`, laid out.
inline CalendarTextGrid laidOutGrid(int year, int weekendDay = 0)
{
    CalendarTextGrid grid;
    grid.setYearAndWeekendDay(year, weekendDay);
    grid.layOut();
    return grid;
}

// The same, weeks ending on Sunday, made once per year and kept for the whole test program.
inline const CalendarTextGrid& gridOf(int year)
{
    static std::map<int, CalendarTextGrid> grids;
    const auto found = grids.find(year);
    return found != grids.end() ? found->second : grids.emplace(year, laidOutGrid(year)).first->second;
}
