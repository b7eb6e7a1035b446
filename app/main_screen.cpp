#include "app/main_screen.h"

#include <optional>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/settings_file.h"
#include "app/window_procedure.h"
#include "app/window_state.h"
#include "calendar/calendar_grid.h"
#include "calendar/publisher.h"
#include "platform/window_host.h"

skinInstance screenSkin;
int calendarLayout = firstLayout;

namespace {

std::optional<MainScreenControls> screenControls;

// Colour and bitmap roles of the theme that the screen uses.
enum ColourRole : int {
    blackRole = 0,
    salmonRole = 1,
    greenRole = 2,
    blueRole = 3,
    yellowRole = 4,
    whiteRole = 7,
    titleStripRole = 8,
    // A role the theme leaves undefined; the title strip draws its bitmap
    // instead of a box, so its box colours are never seen.
    unusedColourRole = 17,
};
enum BitmapRole : int {
    backgroundRole = 1,
    titleStripBitmapRole = 2,
    onTopRole = 3,
    calendarPageRole = 4,
    translucencyRole = 5,
    markerRole = 6,
    createButtonRole = 7,
};

constexpr int rowHeight = 20;
constexpr int toggleOnState = 2;

int entryNumber(int entry)
{
    return settingNumber(settingsEntries[entry]);
}

int inRangeOr(int value, int low, int high, int fallback)
{
    return value < low || value > high ? fallback : value;
}

void setupList(scobList& list, int x, int width, const char* caption, const std::vector<std::string>& items)
{
    list.setup(x, 70, rowHeight, width, 20, true, screenSkin);
    list.setFont(15, 7);
    list.setColours(blackRole, whiteRole, blackRole, salmonRole, blackRole, greenRole, blackRole, yellowRole);
    list.setMarkerBitmapRole(markerRole);
    list.setCaption(caption);
    for (const std::string& item : items)
        list.addItem(item);
    list.setVisible(true);
}

void setupSmallButton(scobButton& button, int x, int bitmapRole)
{
    button.setup(x, 1, 20, 20, screenSkin, whiteRole, titleStripRole, greenRole, 15, 6, 1);
    button.setCaption("", 1);
    button.setBitmapRole(bitmapRole);
}

void addControls(MainScreenControls& s, int year, int weekendDay)
{
    scobGroup& group = groupTable[0];

    s.backgroundImage.setup(0, 0, clientHeight, clientWidth, screenSkin, greenRole, 1);
    s.backgroundImage.setBitmapRole(backgroundRole);
    group.add(s.backgroundImage, noCommand);

    s.titleStrip.setup(0, 0, 20, 475, screenSkin, whiteRole, unusedColourRole, unusedColourRole, 10, 5, 0);
    s.titleStrip.setCaption("", 1);
    s.titleStrip.setBitmapRole(titleStripBitmapRole);
    s.titleStrip.setInteractive(false);
    group.add(s.titleStrip, noCommand);

    s.webAddressLabel.setup(0, 0, 20, 145, screenSkin, blackRole, titleStripRole, titleStripRole, 14, 7, 0);
    s.webAddressLabel.setCaption(publisherAddress, 1);
    group.add(s.webAddressLabel, homePageCommand);

    s.createButton.setup(150, 290, 70, 170, screenSkin, blackRole, blueRole, greenRole, 18, 8, 1);
    s.createButton.setCaption("Create Calendar", 1);
    s.createButton.setBitmapRole(createButtonRole);
    group.add(s.createButton, createCalendarCommand);

    std::vector<std::string> years;
    for (int listed = firstYear; listed <= lastYear; ++listed)
        years.push_back(std::to_string(listed));
    setupList(s.yearList, 25, 110, "Year:", years);
    group.add(s.yearList, yearCommand);
    s.yearList.setSelectedIndex(year - firstYear);

    setupList(s.layoutList, 160, 140, "Layout:", {"3 Months / row", "2 Months / row"});
    group.add(s.layoutList, layoutCommand);
    s.layoutList.setSelectedIndex(calendarLayout);

    setupList(s.weekendList, 330, 110, "Weekend on:", {weekdayNames.begin(), weekdayNames.end()});
    group.add(s.weekendList, weekendDayCommand);
    s.weekendList.setSelectedIndex(weekendDay);

    setupSmallButton(s.calendarPageButton, 411, calendarPageRole);
    group.add(s.calendarPageButton, calendarPageCommand);

    setupSmallButton(s.translucencyToggle, 431, translucencyRole);
    if (translucent)
        s.translucencyToggle.setState(toggleOnState);
    group.add(s.translucencyToggle, translucencyCommand);

    setupSmallButton(s.onTopToggle, 451, onTopRole);
    if (alwaysOnTop)
        s.onTopToggle.setState(toggleOnState);
    group.add(s.onTopToggle, alwaysOnTopCommand);
}

}  // namespace

MainScreenControls& mainScreen()
{
    if (!screenControls)
        screenControls.emplace();
    return *screenControls;
}

void buildMainScreen(WindowHost& window)
{
    // The text page of the start-up grid is printed once, as at every build.
    calendarGrid.setYearAndWeekendDay(firstYear, 0);
    calendarGrid.build();

    mainWindow = &window;
    window.startTimer(screenTimerId, screenTimerPeriod);

    // A screen is built once per window; starting from fresh controls and
    // groups keeps a second window (tests make many) from seeing them twice.
    groupTable.fill(scobGroup{});
    screenControls.emplace();
    groupsInUse = 1;
    groupTable[0].setActive(true);

    const int skin = entryNumber(skinIndexEntry);
    screenSkin.setCurrentSkin(skin < 0 || skin >= screenSkin.skinCount() ? 0 : skin);

    const ClientSize size = window.clientSize();
    clientWidth = size.width;
    clientHeight = size.height;
    repaintRequested = 1;

    alwaysOnTop = entryNumber(alwaysOnTopEntry) != 0;
    translucent = entryNumber(translucentEntry) != 0;
    const int year = inRangeOr(entryNumber(yearEntry), firstYear, lastYear, firstYear);
    const int weekendDay = inRangeOr(entryNumber(weekendDayEntry), 0, 6, 0);
    calendarLayout = inRangeOr(entryNumber(layoutEntry), firstLayout, lastLayout, firstLayout);
    calendarGrid.setYear(year);
    calendarGrid.setWeekendDay(weekendDay);

    addControls(*screenControls, year, weekendDay);
}

void captureSettings()
{
    const ScreenPoint corner = mainWindow ? mainWindow->outerTopLeft() : ScreenPoint{};
    settingsEntries[skinIndexEntry] = settingText(screenSkin.currentSkin());
    settingsEntries[alwaysOnTopEntry] = settingText(alwaysOnTop ? 1 : 0);
    settingsEntries[translucentEntry] = settingText(translucent ? 1 : 0);
    settingsEntries[windowTopEntry] = settingText(corner.y);
    settingsEntries[windowLeftEntry] = settingText(corner.x);
    settingsEntries[yearEntry] = settingText(calendarGrid.getYear());
    settingsEntries[weekendDayEntry] = settingText(calendarGrid.getWeekendDay());
    settingsEntries[layoutEntry] = settingText(calendarLayout);
}
