// The window procedure driven by synthetic messages: no display, no SDL window,
// no browser and no PDF; the window and the desktop are recorders.
#include "app/commands.h"
#include "app/main_screen.h"
#include "tests/app/window_fakes.h"

namespace {

struct Point { int x, y; };

constexpr Point webAddress{70, 10}, titleStrip{300, 10}, background{50, 380}, createButton{235, 325};
constexpr Point calendarPage{421, 11}, translucency{441, 11}, onTop{461, 11};
// List rows are 20 pixels high below the caption row at y 70 .. 90.
Point yearRow(int index) { return {80, 100 + 20 * index}; }
Point layoutRow(int index) { return {230, 100 + 20 * index}; }
Point weekendRow(int index) { return {385, 100 + 20 * index}; }

const std::string calendarPageLink = "link https://www.orvel.example/calendar/index.php?v=opl11u";

class WindowProcedureTest : public ScreenTest {
protected:
    bool send(WindowMessageKind kind, unsigned code = 0, Point p = {})
    {
        return windowProcedure(window, {kind, code, p.x, p.y});
    }
    void move(Point p) { send(WindowMessageKind::mouseMove, 0, p); }
    void press(Point p) { send(WindowMessageKind::leftButtonDown, 0, p); }
    void release(Point p) { send(WindowMessageKind::leftButtonUp, 0, p); }
    // A click as a hand makes it: the pointer arrives, then presses and releases.
    void click(Point p) { move(p); press(p); release(p); }
    // The frames one timer tick draws.
    int tickFrames()
    {
        const int before = window.framesPresented;
        send(WindowMessageKind::timer, screenTimerId);
        return window.framesPresented - before;
    }
};

TEST_F(WindowProcedureTest, BuildingTwiceGivesOneScreenRoutedInItsOrder)
{
    build({});
    EXPECT_EQ(window.timerId, screenTimerId);
    // Routing order, with the command number each control reports.
    const std::vector<int> expected = {999, 999, 150, 101, 103, 202, 102, 1015, 1011, 1010};
    ASSERT_EQ(groupTable[0].count(), static_cast<int>(expected.size()));
    for (int i = 0; i < groupTable[0].count(); ++i)
        EXPECT_EQ(groupTable[0].commandNumber(i), expected[static_cast<std::size_t>(i)]) << "index " << i;
    EXPECT_EQ(mainScreen().yearList.itemCount(), 7);
    // Only `other` is left to the window; the right button and commands do nothing.
    EXPECT_TRUE(send(WindowMessageKind::command, 101));
    EXPECT_TRUE(send(WindowMessageKind::rightButtonDown, 0, createButton));
    EXPECT_FALSE(send(WindowMessageKind::other));
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowProcedureTest, ClicksIssueTheirCommandsAndDestroyKeepsTheChoices)
{
    const std::vector<std::pair<Point, EventLog>> clicks = {
        {webAddress, {"link https://www.orvel.example/index.php?v=opl11u"}},
        {calendarPage, {calendarPageLink}},
        {translucency, {"opacity 190"}},
        {translucency, {"opacity 255"}},
        {onTop, {"onTop 1"}},
        {onTop, {"onTop 0"}},
        {onTop, {"onTop 1"}},
        // The shared edge of two buttons: both hear the click, in routing order.
        {{431, 11}, {calendarPageLink, "opacity 190"}},
        {titleStrip, {}},
        {background, {}},
        {createButton, {"calendar 2010 0 0"}},
        // Choosing writes nothing; the next calendar uses the choices.
        {yearRow(6), {}},
        {layoutRow(1), {}},
        {weekendRow(6), {}},
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
    window.corner = {-8, -32000};
    EXPECT_TRUE(send(WindowMessageKind::destroy));
    EXPECT_EQ(settingsEntries, SettingsEntries({"0", "1", "1", "4294935296", "4294967288", "2016", "6", "1"}));
}

TEST_F(WindowProcedureTest, AClickCompletesOnlyOnTheControlThatWasPressed)
{
    move(createButton);
    press(createButton);
    move(calendarPage);
    release(calendarPage);
    press(webAddress);
    release(createButton);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(mainScreen().createButton.state(), 1);

    // A toggle keeps a press released outside until a release over it.
    press(onTop);
    move(background);
    release(background);
    EXPECT_TRUE(log.empty());
    move(onTop);
    release(onTop);
    EXPECT_EQ(log, EventLog({"onTop 1"}));

    // A list chooses the row released over even when pressed elsewhere, but
    // issues no command: the calendar keeps the last dispatched year.
    log.clear();
    press(background);
    move(yearRow(4));
    release(yearRow(4));
    EXPECT_EQ(mainScreen().yearList.selectedIndex(), 4);
    EXPECT_TRUE(log.empty());
    click(createButton);
    EXPECT_EQ(log, EventLog({"calendar 2010 0 0"}));
}

TEST_F(WindowProcedureTest, TimerDrawsWhenDirtyOrRequestedAndPaintClearsDirtyFlags)
{
    EXPECT_EQ(tickFrames(), 1) << "the built screen asks for its first frame";
    EXPECT_EQ(repaintRequested, 0);
    EXPECT_EQ(tickFrames(), 0);
    move(yearRow(2));
    EXPECT_EQ(tickFrames(), 1);
    EXPECT_EQ(tickFrames(), 0) << "one frame per change";
    mainScreen().weekendList.setVisible(false);
    EXPECT_EQ(tickFrames(), 1) << "a hidden control that changed";
    dispatchCommand(alwaysOnTopCommand);
    EXPECT_EQ(repaintRequested, 1);
    EXPECT_EQ(tickFrames(), 1);
    EXPECT_EQ(repaintRequested, 0);

    // Key C steps the theme silently, key K asks for a redraw.
    log.clear();
    EXPECT_TRUE(send(WindowMessageKind::keyDown, 'C'));
    for (int command : {int{nextSkinCommand}, int{noCommand}, 0, -1})
        dispatchCommand(command);
    EXPECT_EQ(tickFrames(), 0);
    send(WindowMessageKind::keyDown, 'K');
    EXPECT_EQ(repaintRequested, 1);
    EXPECT_EQ(tickFrames(), 1);
    EXPECT_EQ(screenSkin.currentSkin(), 0) << "the one theme stays in use";
    EXPECT_TRUE(log.empty());

    move(yearRow(1));
    ASSERT_TRUE(mainScreen().yearList.isDirty());
    const int before = window.framesPresented;
    send(WindowMessageKind::paint);
    EXPECT_EQ(window.framesPresented, before + 1);
    EXPECT_FALSE(mainScreen().yearList.isDirty());
    EXPECT_EQ(tickFrames(), 0) << "nothing left for the tick to draw";
}

}  // namespace
