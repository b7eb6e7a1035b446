// Restoring the saved choices into the screen, with every range check and
// default, and the commands that have no control of their own.
#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/main_screen.h"
#include "app/settings_file.h"
#include "app/window_procedure.h"
#include "app/window_state.h"
#include "calendar/calendar_grid.h"
#include "tests/app/window_fakes.h"

namespace {

class MainScreenTest : public ::testing::Test {
protected:
    void TearDown() override { mainWindow = nullptr; }

    // Builds the screen from these settings lines (the rest keep their start values).
    void buildWith(const std::vector<std::string>& lines)
    {
        settingsEntries = initialSettingsEntries();
        for (std::size_t i = 0; i < lines.size(); ++i)
            settingsEntries[i] = lines[i];
        windowProcedure(window, {WindowMessageKind::create});
    }
    MainScreenControls& screen() { return mainScreen(); }

    EventLog log;
    RecordingWindow window{log};
    RecordingDesktop desktop{log};
    ScopedDesktopActions useDesktop{desktop};
};

TEST_F(MainScreenTest, FirstStartWithoutSettingsUsesEveryDefault)
{
    buildWith({});
    EXPECT_EQ(screenSkin.currentSkin(), 0);
    EXPECT_FALSE(alwaysOnTop);
    EXPECT_FALSE(translucent);
    EXPECT_EQ(screen().onTopToggle.state(), 1);
    EXPECT_EQ(screen().translucencyToggle.state(), 1);
    EXPECT_EQ(screen().yearList.selectedIndex(), 0);
    EXPECT_EQ(screen().layoutList.selectedIndex(), 0);
    EXPECT_EQ(screen().weekendList.selectedIndex(), 0);
    EXPECT_EQ(calendarGrid.getYear(), 2010);
    EXPECT_EQ(calendarGrid.getWeekendDay(), 0);
    EXPECT_EQ(calendarLayout, 0);
}

TEST_F(MainScreenTest, SavedChoicesAreRestoredIntoTheListsAndTheGrid)
{
    buildWith({"0", "1", "1", "120", "300", "2016", "6", "1"});
    EXPECT_TRUE(alwaysOnTop);
    EXPECT_TRUE(translucent);
    EXPECT_EQ(screen().onTopToggle.state(), 2);
    EXPECT_EQ(screen().translucencyToggle.state(), 2);
    EXPECT_EQ(screen().yearList.selectedIndex(), 6);
    EXPECT_EQ(screen().weekendList.selectedIndex(), 6);
    EXPECT_EQ(screen().layoutList.selectedIndex(), 1);
    EXPECT_EQ(calendarGrid.getYear(), 2016);
    EXPECT_EQ(calendarGrid.getWeekendDay(), 6);
    EXPECT_EQ(calendarLayout, 1);
}

TEST_F(MainScreenTest, OutOfRangeChoicesFallBackToTheirDefaults)
{
    struct Case {
        int entry;
        std::string text;
        int expected;  // the restored value
    };
    const std::vector<Case> cases = {
        {yearEntry, "2017", 2010},      {yearEntry, "2009", 2010},     {yearEntry, "2016", 2016},
        {yearEntry, "2016  ", 2016},    {yearEntry, "abc", 2010},      {weekendDayEntry, "7", 0},
        {weekendDayEntry, "-1", 0},     {weekendDayEntry, "6", 6},     {layoutEntry, "2", 0},
        {layoutEntry, "1", 1},          {layoutEntry, "-1", 0},        {skinIndexEntry, "1", 0},
        {skinIndexEntry, "-3", 0},      {alwaysOnTopEntry, "5", 1},    {alwaysOnTopEntry, "abc", 0},
        {alwaysOnTopEntry, "0", 0},     {translucentEntry, "-1", 1},   {translucentEntry, "", 0},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines(8, "0");
        lines[5] = "2010";
        lines[static_cast<std::size_t>(c.entry)] = c.text;
        buildWith(lines);
        int restored = 0;
        switch (c.entry) {
        case yearEntry:
            restored = calendarGrid.getYear();
            EXPECT_EQ(screen().yearList.selectedIndex(), restored - 2010) << c.text;
            break;
        case weekendDayEntry:
            restored = calendarGrid.getWeekendDay();
            EXPECT_EQ(screen().weekendList.selectedIndex(), restored) << c.text;
            break;
        case layoutEntry:
            restored = calendarLayout;
            EXPECT_EQ(screen().layoutList.selectedIndex(), restored) << c.text;
            break;
        case skinIndexEntry:
            restored = screenSkin.currentSkin();
            break;
        case alwaysOnTopEntry:
            restored = alwaysOnTop ? 1 : 0;
            EXPECT_EQ(screen().onTopToggle.state(), restored + 1) << c.text;
            break;
        case translucentEntry:
            restored = translucent ? 1 : 0;
            EXPECT_EQ(screen().translucencyToggle.state(), restored + 1) << c.text;
            break;
        }
        EXPECT_EQ(restored, c.expected) << "entry " << c.entry << " holding '" << c.text << "'";
    }
}

TEST_F(MainScreenTest, ControlsSitWhereTheScreenPutsThem)
{
    buildWith({});
    EXPECT_EQ(screen().backgroundImage.width(), 471);
    EXPECT_EQ(screen().backgroundImage.height(), 417);
    EXPECT_EQ(screen().yearList.height(), 160);
    EXPECT_EQ(screen().layoutList.height(), 60);
    EXPECT_EQ(screen().weekendList.height(), 160);
    EXPECT_EQ(screen().webAddressLabel.caption(1), "www.orvel.example");
    EXPECT_EQ(screen().createButton.caption(1), "Create Calendar");
    EXPECT_EQ(screen().createButton.caption(2), "Create Calendar");
    EXPECT_EQ(screen().onTopToggle.x(), 451);
    EXPECT_EQ(screen().translucencyToggle.x(), 431);
    EXPECT_EQ(screen().calendarPageButton.x(), 411);
}

TEST_F(MainScreenTest, CommandsWithoutAControl)
{
    buildWith({});
    dispatchCommand(nextSkinCommand);
    EXPECT_EQ(screenSkin.currentSkin(), 0);
    EXPECT_EQ(repaintRequested, 1) << "still the request of the build, not a new one";
    repaintRequested = 0;
    dispatchCommand(nextSkinCommand);
    dispatchCommand(noCommand);
    dispatchCommand(0);
    dispatchCommand(-1);
    EXPECT_EQ(repaintRequested, 0);
    EXPECT_TRUE(log.empty());
}

TEST_F(MainScreenTest, CreateCalendarRebuildsTheGridFromTheChoicesFirst)
{
    buildWith({"0", "0", "0", "0", "0", "2013", "3", "1"});
    dispatchCommand(createCalendarCommand);
    EXPECT_EQ(log, EventLog({"calendar 2013 3 1"}));
    // The text page now carries the restored year, not the 2010 of the first build.
    bool yearShown = false;
    for (int line = 0; line <= calendarGrid.lastPageLine(); ++line)
        yearShown = yearShown || std::string(calendarGrid.pageLine(line)).find("2013") != std::string::npos;
    EXPECT_TRUE(yearShown);
}

TEST_F(MainScreenTest, ACalendarThatCannotBeWrittenIsReportedToTheUser)
{
    buildWith({});
    desktop.calendarError = "cannot write /nowhere/orvelplan0.pdf: No such file or directory";
    dispatchCommand(createCalendarCommand);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "calendar 2010 0 0");
    EXPECT_EQ(log[1], "message Orvel Planner 1.1: The calendar could not be created: "
                      "cannot write /nowhere/orvelplan0.pdf: No such file or directory");
}

TEST_F(MainScreenTest, ASavedCalendarWithoutAViewerSaysWhereTheFileIs)
{
    buildWith({});
    desktop.viewerError = "cannot start xdg-open: No such file or directory";
    dispatchCommand(createCalendarCommand);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1], "message Orvel Planner 1.1: The calendar was saved as /tmp/orvelplan0.pdf but could not be "
                      "opened: cannot start xdg-open: No such file or directory");
}

}  // namespace
