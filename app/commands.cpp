#include "app/commands.h"

#include "app/desktop_actions.h"
#include "app/main_screen.h"
#include "app/website_links.h"
#include "app/window_state.h"
#include "calendar/calendar_grid.h"
#include "platform/window_host.h"

namespace {

void createCalendarFromChoices()
{
    // The lists only store the choices; the grid catches up here, so the PDF
    // always shows the year and weekend day on screen.
    calendarGrid.build();
    const CalendarFile file = desktopActions().createCalendar(calendarGrid, calendarLayout);
    if (!file.saved()) {
        desktopActions().showMessage(windowTitle, "The calendar could not be created: " + file.error);
        return;
    }
    if (const std::string error = desktopActions().openCalendar(file.path); !error.empty())
        desktopActions().showMessage(windowTitle,
                                     "The calendar was saved as " + file.path + " but could not be opened: " + error);
}

}  // namespace

void dispatchCommand(int commandNumber)
{
    switch (commandNumber) {
    case createCalendarCommand:
        createCalendarFromChoices();
        break;
    case weekendDayCommand:
        calendarGrid.setWeekendDay(mainScreen().weekendList.selectedIndex());
        break;
    case yearCommand:
        calendarGrid.setYear(firstYear + mainScreen().yearList.selectedIndex());
        break;
    case homePageCommand:
        openWebPage(homePage);
        break;
    case layoutCommand:
        calendarLayout = mainScreen().layoutList.selectedIndex();
        break;
    case nextSkinCommand:
        screenSkin.nextSkin();
        break;
    case alwaysOnTopCommand:
        alwaysOnTop = !alwaysOnTop;
        if (mainWindow)
            mainWindow->setAlwaysOnTop(alwaysOnTop);
        repaintRequested = 1;
        break;
    case translucencyCommand:
        translucent = !translucent;
        if (mainWindow)
            mainWindow->setOpacity(windowOpacity(translucent));
        repaintRequested = 1;
        break;
    case calendarPageCommand:
        openWebPage(calendarPage);
        break;
    default:
        break;
    }
}
