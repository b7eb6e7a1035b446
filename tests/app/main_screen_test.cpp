// Restoring the saved choices into the screen, and what Create Calendar does.
#include "app/commands.h"
#include "app/main_screen.h"
#include "tests/app/window_fakes.h"

namespace {

using MainScreenTest = ScreenTest;

// What the screen shows and uses for each entry, or -1 where the lists and
// toggles disagree with the value they restored.
int restored(int entry)
{
    const MainScreenControls& s = mainScreen();
    const auto agree = [](int value, int shown) { return value == shown ? value : -1; };
    switch (entry) {
    case yearEntry: return agree(calendarGrid.getYear(), s.yearList.selectedIndex() + 2010);
    case weekendDayEntry: return agree(calendarGrid.getWeekendDay(), s.weekendList.selectedIndex());
    case layoutEntry: return agree(calendarLayout, s.layoutList.selectedIndex());
    case alwaysOnTopEntry: return agree(alwaysOnTop ? 1 : 0, s.onTopToggle.state() - 1);
    case translucentEntry: return agree(translucent ? 1 : 0, s.translucencyToggle.state() - 1);
    default: return screenSkin.currentSkin();
    }
}

TEST_F(MainScreenTest, SavedChoicesAreRestoredAndOutOfRangeOnesFallBackToDefaults)
{
    const std::vector<std::tuple<int, std::string, int>> cases = {
        {yearEntry, "2016", 2016},     {yearEntry, "2016  ", 2016},  {yearEntry, "2017", 2010},
        {yearEntry, "2009", 2010},     {yearEntry, "abc", 2010},     {yearEntry, "", 2010},
        {weekendDayEntry, "6", 6},     {weekendDayEntry, "7", 0},    {weekendDayEntry, "-1", 0},
        {layoutEntry, "1", 1},         {layoutEntry, "2", 0},        {layoutEntry, "-1", 0},
        {skinIndexEntry, "1", 0},      {skinIndexEntry, "-3", 0},    {alwaysOnTopEntry, "5", 1},
        {alwaysOnTopEntry, "abc", 0},  {alwaysOnTopEntry, "0", 0},   {translucentEntry, "-1", 1},
        {translucentEntry, "", 0},
    };
    for (const auto& [entry, text, expected] : cases) {
        std::vector<std::string> lines = {"0", "0", "0", "0", "0", "2010", "0", "0"};
        lines[static_cast<std::size_t>(entry)] = text;
        build(lines);
        EXPECT_EQ(restored(entry), expected) << "entry " << entry << " holding '" << text << "'";
    }
}

TEST_F(MainScreenTest, CreateCalendarBuildsTheChosenYearAndReportsEveryFailure)
{
    build({"0", "0", "0", "0", "0", "2013", "3", "1"});
    dispatchCommand(createCalendarCommand);
    EXPECT_EQ(log, EventLog({"calendar 2013 3 1"}));
    // The text page now carries the restored year, not the 2010 of the build.
    bool yearShown = false;
    for (int line = 0; line <= calendarGrid.lastPageLine(); ++line)
        yearShown = yearShown || std::string(calendarGrid.pageLine(line)).find("2013") != std::string::npos;
    EXPECT_TRUE(yearShown);

    const std::string noFile = "cannot write /nowhere/orvelplan0.pdf: No such file or directory";
    const std::string noViewer = "cannot start xdg-open: No such file or directory";
    desktop.calendarError = noFile;
    log.clear();
    dispatchCommand(createCalendarCommand);
    desktop.calendarError.clear();
    desktop.viewerError = noViewer;
    dispatchCommand(createCalendarCommand);
    EXPECT_EQ(log, EventLog({"calendar 2013 3 1", "message Orvel Planner 1.1: The calendar could not be created: " + noFile,
                             "calendar 2013 3 1", "message Orvel Planner 1.1: The calendar was saved as "
                                                  "/tmp/orvelplan0.pdf but could not be opened: " + noViewer}));
}

}  // namespace
