#pragma once

// The command numbers the main screen's controls report on a completed click.
enum CommandNumber : int {
    createCalendarCommand = 101,
    weekendDayCommand = 102,
    yearCommand = 103,
    homePageCommand = 150,
    layoutCommand = 202,
    noCommand = 999,
    nextSkinCommand = 1003,
    alwaysOnTopCommand = 1010,
    translucencyCommand = 1011,
    calendarPageCommand = 1015,
};

// Performs the command at once; numbers without an action are ignored.
void dispatchCommand(int commandNumber);
