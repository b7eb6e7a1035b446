// The window procedure and the main screen driven by synthetic messages, the
// test fixture standing in for the window and the desktop.
#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/desktop_actions.h"
#include "app/main_screen.h"
#include "app/settings_file.h"
#include "app/window_procedure.h"
#include "app/window_state.h"
#include "calendar/calendar_grid.h"
#include "platform/window_host.h"

namespace {

// Everything the window and the desktop were asked to do, in order, as short
// lines such as "onTop 1", "opacity 190", "link <url>", "calendar 2016 6 1".
using EventLog = std::vector<std::string>;

struct Point { int x, y; };

constexpr Point webAddress{70, 10}, titleStrip{300, 10}, background{50, 380}, createButton{235, 325};
constexpr Point calendarPage{421, 11}, translucency{441, 11}, onTop{461, 11};
// List rows are 20 pixels high below the caption row at y 70 .. 90.
Point yearRow(int index) { return {80, 100 + 20 * index}; }
Point layoutRow(int index) { return {230, 100 + 20 * index}; }
Point weekendRow(int index) { return {385, 100 + 20 * index}; }

const std::string calendarPageLink = std::string("link https://www.orvel.example/calendar/index.php?v=") + versionTag;

// The main screen built from the first settings lines given (the rest keep
// their start values), and messages sent to it. The fixture is the window and
// the desktop: it only records, with no display, no SDL window, no browser and
// no PDF.
class WindowTest : public ::testing::Test, WindowHost, DesktopActions {
protected:
    void SetUp() override { build({}); }
    void TearDown() override { mainWindow = nullptr; }

    void build(const std::vector<std::string>& lines)
    {
        settingsEntries = initialSettingsEntries();
        std::copy(lines.begin(), lines.end(), settingsEntries.begin());
        ASSERT_TRUE(send(WindowMessageKind::create));
    }
    bool send(WindowMessageKind kind, unsigned code = 0, Point p = {})
    {
        return windowProcedure(*this, {kind, code, p.x, p.y});
    }
    void move(Point p) { send(WindowMessageKind::mouseMove, 0, p); }
    void press(Point p) { send(WindowMessageKind::leftButtonDown, 0, p); }
    void release(Point p) { send(WindowMessageKind::leftButtonUp, 0, p); }
    // A hand's click, and a press carried elsewhere before the release.
    void click(Point p) { move(p); press(p); release(p); }
    void drag(Point from, Point to) { move(from); press(from); move(to); release(to); }
    // The frames one timer tick (or another message) draws.
    int tickFrames(WindowMessageKind kind = WindowMessageKind::timer)
    {
        const int before = framesPresented;
        send(kind, screenTimerId);
        return framesPresented - before;
    }

    void startTimer(unsigned id, int) override
    {
        timerId = id;
        timerRunning = true;
        ++timerStarts;
    }
    void stopTimer(unsigned id) override
    {
        if (id == timerId)
            timerRunning = false;
    }
    ClientSize clientSize() const override { return {471, 417}; }
    ScreenPoint outerTopLeft() const override { return corner; }
    void setAlwaysOnTop(bool on) override { log.push_back(std::string("onTop ") + (on ? "1" : "0")); }
    void setOpacity(int alpha) override { log.push_back("opacity " + std::to_string(alpha)); }
    void present(const DrawSurface&) override { ++framesPresented; }
    void openLink(const std::string& link) override { log.push_back("link " + link); }
    void showMessage(const std::string& caption, const std::string& text) override
    {
        log.push_back("message " + caption + ": " + text);
    }
    CalendarFile createCalendar(const CalendarTextGrid& grid, int layout) override
    {
        log.push_back("calendar " + std::to_string(grid.getYear()) + " " + std::to_string(grid.getWeekendDay()) +
                      " " + std::to_string(layout));
        return {"/tmp/orvelplan0.pdf", calendarError, {}};
    }
    std::string openCalendar(const std::string&) override { return viewerError; }

    EventLog log;
    unsigned timerId = 0;
    bool timerRunning = false;
    int timerStarts = 0;
    int framesPresented = 0;
    ScreenPoint corner{300, 120};
    std::string calendarError;  // what the next createCalendar reports; empty = saved
    std::string viewerError;    // why the viewer could not be started; empty = started
    ScopedDesktopActions useDesktop{*this};
};

TEST_F(WindowTest, ClicksIssueTheirCommandsAndDestroyKeepsTheChoices)
{
    build({});  // a second screen holds each control once: each click below is heard once
    const std::vector<std::pair<Point, EventLog>> clicks = {
        {webAddress, {std::string("link https://www.orvel.example/index.php?v=") + versionTag}},
        {calendarPage, {calendarPageLink}},
        {translucency, {"opacity 190"}}, {translucency, {"opacity 255"}},
        {onTop, {"onTop 1"}}, {onTop, {"onTop 0"}}, {onTop, {"onTop 1"}},
        // The shared edge of two buttons: both hear the click, in routing order.
        {{431, 11}, {calendarPageLink, "opacity 190"}},
        {titleStrip, {}}, {background, {}},
        {createButton, {"calendar 2010 0 0"}},
        // Choosing writes nothing; the next calendar uses the choices.
        {yearRow(6), {}}, {layoutRow(1), {}}, {weekendRow(6), {}},
        {createButton, {"calendar 2016 6 1"}},
    };
    for (const auto& [point, expected] : clicks) {
        log.clear();
        click(point);
        EXPECT_EQ(log, expected) << "click at " << point.x << ", " << point.y;
    }
    // The pointer has left both toggles; they still show their options on.
    EXPECT_EQ(mainScreen().onTopToggle.state(), 2);
    EXPECT_EQ(mainScreen().translucencyToggle.state(), 2);
    // A corner left of and above the screen is saved as its unsigned pattern.
    corner = {-8, -32000};
    EXPECT_TRUE(send(WindowMessageKind::destroy));
    EXPECT_EQ(settingsEntries, SettingsEntries({"0", "1", "1", "4294935296", "4294967288", "2016", "6", "1"}));
}

TEST_F(WindowTest, AClickCompletesOnlyOnTheControlThatWasPressed)
{
    drag(createButton, calendarPage);
    press(webAddress);
    release(createButton);
    EXPECT_EQ(mainScreen().createButton.state(), 1);

    // A toggle keeps a press released outside until a release over it.
    drag(onTop, background);
    move(onTop);
    release(onTop);
    click(onTop);  // and the next click shows its option off again
    EXPECT_EQ(log, EventLog({"onTop 1", "onTop 0"}));
    EXPECT_EQ(mainScreen().onTopToggle.state(), 1);

    // A list chooses the row released over even when pressed elsewhere, but
    // issues no command: the calendar keeps the last dispatched year.
    log.clear();
    drag(background, yearRow(4));
    EXPECT_EQ(mainScreen().yearList.selectedIndex(), 4);
    click(createButton);
    EXPECT_EQ(log, EventLog({"calendar 2010 0 0"}));
}

// Each message sent twice, then one timer tick: whether the messages started
// the change-scan timer (once for the batch), and the frames the tick drew.
// Every tick leaves nothing to draw, so the timer stops: an idle window gets no ticks.
TEST_F(WindowTest, TheTimerRunsAndDrawsOnlyWhileSomethingMayHaveChanged)
{
    EXPECT_TRUE(timerRunning) << "the built screen waits for its first frame";
    EXPECT_EQ(tickFrames(), 1);
    const struct {
        WindowMessageKind kind;
        unsigned code;
        Point at;
        bool starts;
        int frames;
    } cases[] = {
        {WindowMessageKind::mouseMove, 0, yearRow(2), true, 1},
        {WindowMessageKind::leftButtonDown, 0, layoutRow(1), true, 1},
        {WindowMessageKind::keyDown, 'C', {}, true, 0},  // key C steps the theme silently
        {WindowMessageKind::keyDown, 'K', {}, true, 1},  // key K asks for a redraw
        {WindowMessageKind::rightButtonDown, 0, yearRow(3), false, 0},
        {WindowMessageKind::other, 0, {}, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.kind) << " " << c.code);
        const int startsBefore = timerStarts;
        // Only `other` is left to the window's default handling.
        EXPECT_EQ(send(c.kind, c.code, c.at), c.kind != WindowMessageKind::other);
        send(c.kind, c.code, c.at);
        EXPECT_EQ(timerRunning, c.starts);
        EXPECT_EQ(timerStarts - startsBefore, c.starts ? 1 : 0);
        EXPECT_EQ(tickFrames(), c.frames);
        EXPECT_FALSE(timerRunning);
    }
    EXPECT_EQ(screenSkin.currentSkin(), 0) << "the one theme stays in use";

    mainScreen().weekendList.setVisible(false);
    EXPECT_EQ(tickFrames(), 1) << "a hidden control that changed";
    EXPECT_EQ(tickFrames(), 0);
    dispatchCommand(alwaysOnTopCommand);
    EXPECT_EQ(tickFrames(), 1) << "a command that asks for a redraw";
    for (int command : {int{nextSkinCommand}, int{noCommand}, 0, -1})
        dispatchCommand(command);
    EXPECT_EQ(tickFrames(), 0);
    EXPECT_EQ(log, EventLog({"onTop 1"}));
    move(yearRow(1));
    EXPECT_EQ(tickFrames(WindowMessageKind::paint), 1);
    EXPECT_EQ(tickFrames(), 0) << "paint left nothing for the tick to draw";
}

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

TEST_F(WindowTest, SavedChoicesAreRestoredAndOutOfRangeOnesFallBackToDefaults)
{
    const std::vector<std::tuple<int, std::string, int>> cases = {
        {yearEntry, "2016  ", 2016}, {yearEntry, "2017", 2010}, {yearEntry, "2009", 2010}, {yearEntry, "abc", 2010},
        {weekendDayEntry, "6", 6}, {weekendDayEntry, "7", 0}, {weekendDayEntry, "-1", 0}, {layoutEntry, "2", 0},
        {layoutEntry, "-1", 0}, {skinIndexEntry, "1", 0}, {alwaysOnTopEntry, "5", 1}, {translucentEntry, "-1", 1},
    };
    for (const auto& [entry, text, expected] : cases) {
        std::vector<std::string> lines = {"0", "0", "0", "0", "0", "2010", "0", "0"};
        lines[static_cast<std::size_t>(entry)] = text;
        build(lines);
        EXPECT_EQ(restored(entry), expected) << "entry " << entry << " holding '" << text << "'";
    }
}

TEST_F(WindowTest, CreateCalendarBuildsTheChosenYearAndReportsEveryFailure)
{
    build({"0", "0", "0", "0", "0", "2013", "3", "1"});

    const std::string noFile = "cannot write /nowhere/orvelplan0.pdf: No such file or directory";
    const std::string noViewer = "cannot start xdg-open: No such file or directory";
    dispatchCommand(createCalendarCommand);
    calendarError = noFile;
    dispatchCommand(createCalendarCommand);
    calendarError.clear();
    viewerError = noViewer;
    dispatchCommand(createCalendarCommand);
    EXPECT_EQ(log, EventLog({"calendar 2013 3 1", "calendar 2013 3 1", "message " + std::string(windowTitle) + ": The calendar could not be created: " + noFile,
                             "calendar 2013 3 1", "message " + std::string(windowTitle) + ": The calendar was saved as "
                                                  "/tmp/orvelplan0.pdf but could not be opened: " + noViewer}));
    // The year line of the text page now shows the restored year, not the 2010 of the build.
    EXPECT_NE(std::string(calendarGrid.pageLine(3)).find("2013"), std::string::npos) << calendarGrid.pageLine(3);
}

}  // namespace
