#pragma once
#include <fstream>
#include <iterator>
#include <string>

#include "calendar/calendar_grid.h"

inline const CalendarTextGrid& grid2010()
{
    static CalendarTextGrid grid;
    grid.setYearAndWeekendDay(2010, 0);
    grid.layOut();
    return grid;
}

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

