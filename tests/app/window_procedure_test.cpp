// The window procedure driven by synthetic messages: no display, no SDL window,
// no browser and no PDF; the window and the desktop are recorders.
#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/main_screen.h"
#include "app/settings_file.h"
#include "app/window_procedure.h"
#include "app/window_state.h"
#include "calendar/calendar_grid.h"
#include "tests/app/window_fakes.h"

namespace {

struct Point {
    int x;
    int y;
};

// Points inside the controls of the main screen.
constexpr Point webAddressPoint{70, 10};
constexpr Point titleStripPoint{300, 10};
constexpr Point backgroundPoint{50, 380};
constexpr Point createPoint{235, 325};
constexpr Point calendarPagePoint{421, 11};
constexpr Point translucencyPoint{441, 11};
constexpr Point onTopPoint{461, 11};
// Year rows start at y 91 (below the caption row at 70 .. 90), 20 pixels each.
Point yearRow(int index) { return {80, 100 + 20 * index}; }
Point layoutRow(int index) { return {230, 100 + 20 * index}; }
Point weekendRow(int index) { return {385, 100 + 20 * index}; }

const std::string calendarPageLink = "link https://www.orvel.example/calendar/index.php?v=opl11u";
const std::string homePageLink = "link https://www.orvel.example/index.php?v=opl11u";

class WindowProcedureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settingsEntries = initialSettingsEntries();
        ASSERT_TRUE(send(WindowMessageKind::create));
    }
    void TearDown() override { mainWindow = nullptr; }

    bool send(WindowMessageKind kind, unsigned code = 0, int x = 0, int y = 0)
    {
        return windowProcedure(window, {kind, code, x, y});
    }
    void move(Point p) { send(WindowMessageKind::mouseMove, 0, p.x, p.y); }
    void press(Point p) { send(WindowMessageKind::leftButtonDown, 0, p.x, p.y); }
    void release(Point p) { send(WindowMessageKind::leftButtonUp, 0, p.x, p.y); }
    // A click as a hand makes it: the pointer arrives, then presses and releases.
    void click(Point p)
    {
        move(p);
        press(p);
        release(p);
    }
    void tick() { send(WindowMessageKind::timer, screenTimerId); }
    // Draws whatever is pending so that the next tick starts from a clean screen.
    void settle()
    {
        tick();
        log.clear();
        framesBefore = window.framesPresented;
    }
    int newFrames() const { return window.framesPresented - framesBefore; }

    EventLog log;
    RecordingWindow window{log};
    RecordingDesktop desktop{log};
    ScopedDesktopActions useDesktop{desktop};
    int framesBefore = 0;
};

TEST_F(WindowProcedureTest, CreationBuildsTheScreenAndStartsTheTimer)
{
    EXPECT_EQ(window.timerId, 111u);
    EXPECT_EQ(window.timerPeriod, 1);
    EXPECT_EQ(mainWindow, &window);
    EXPECT_EQ(groupsInUse, 1);
    EXPECT_TRUE(groupTable[0].isActive());
    EXPECT_EQ(repaintRequested, 1);
    EXPECT_EQ(clientWidth, 471);
    EXPECT_EQ(clientHeight, 417);

    // Paint and routing order, with the command number each control reports.
    const std::vector<int> expected = {999, 999, 150, 101, 103, 202, 102, 1015, 1011, 1010};
    ASSERT_EQ(groupTable[0].count(), static_cast<int>(expected.size()));
    for (int i = 0; i < groupTable[0].count(); ++i)
        EXPECT_EQ(groupTable[0].commandNumber(i), expected[static_cast<std::size_t>(i)]) << "index " << i;
    MainScreenControls& s = mainScreen();
    EXPECT_EQ(groupTable[0].control(0), &s.backgroundImage);
    EXPECT_EQ(groupTable[0].control(9), &s.onTopToggle);
    EXPECT_FALSE(s.backgroundImage.isInteractive());
    EXPECT_FALSE(s.titleStrip.isInteractive());
    for (int i = 1; i < 5; ++i)
        EXPECT_FALSE(groupTable[i].isActive());
}

TEST_F(WindowProcedureTest, CreatingTheWindowAgainDoesNotDuplicateTheControls)
{
    ASSERT_TRUE(send(WindowMessageKind::create));
    EXPECT_EQ(groupTable[0].count(), 10);
    EXPECT_EQ(mainScreen().yearList.itemCount(), 7);
}

TEST_F(WindowProcedureTest, HandledMessagesAnswerTrueAndOthersAreLeftToTheWindow)
{
    EXPECT_TRUE(send(WindowMessageKind::command, 101));
    EXPECT_TRUE(send(WindowMessageKind::rightButtonDown, 0, createPoint.x, createPoint.y));
    EXPECT_TRUE(send(WindowMessageKind::keyDown, 'Q'));
    EXPECT_FALSE(send(WindowMessageKind::other));
    // The command message and the right button do nothing at all.
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowProcedureTest, EveryControlIssuesItsCommandOnACompletedClick)
{
    struct Case {
        const char* control;
        Point point;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"web address label", webAddressPoint, {homePageLink}},
        {"calendar page button", calendarPagePoint, {calendarPageLink}},
        {"translucency toggle", translucencyPoint, {"opacity 190"}},
        {"on-top toggle", onTopPoint, {"onTop 1"}},
        {"title strip", titleStripPoint, {}},
        {"background", backgroundPoint, {}},
        {"create button", createPoint, {"calendar 2010 0 0"}},
    };
    for (const Case& c : cases) {
        log.clear();
        click(c.point);
        EXPECT_EQ(log, c.expected) << c.control;
    }
}

TEST_F(WindowProcedureTest, ListClicksStoreTheChoiceForTheNextCalendar)
{
    click(yearRow(6));
    click(layoutRow(1));
    click(weekendRow(6));
    // Choosing alone writes nothing.
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(calendarGrid.getYear(), 2016);
    EXPECT_EQ(calendarGrid.getWeekendDay(), 6);
    EXPECT_EQ(calendarLayout, 1);

    click(createPoint);
    EXPECT_EQ(log, EventLog({"calendar 2016 6 1"}));
}

TEST_F(WindowProcedureTest, OverlappingControlsBothCompleteTheClickInIndexOrder)
{
    // x 431 is the shared edge of the calendar-page button and the
    // translucency toggle; both count their edges as inside.
    click({431, 11});
    EXPECT_EQ(log, EventLog({calendarPageLink, "opacity 190"}));
}

TEST_F(WindowProcedureTest, PressOnOneButtonAndReleaseOnAnotherIssuesNothing)
{
    move(createPoint);
    press(createPoint);
    move(calendarPagePoint);
    release(calendarPagePoint);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(mainScreen().createButton.state(), 1);

    // Without the move in between the release is simply not over the pressed one.
    press(webAddressPoint);
    release(createPoint);
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowProcedureTest, PressElsewhereThenReleaseOnAListRowChoosesItWithoutACommand)
{
    press(backgroundPoint);
    move(yearRow(4));
    release(yearRow(4));
    EXPECT_EQ(mainScreen().yearList.selectedIndex(), 4);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(calendarGrid.getYear(), 2010);

    // The calendar and the saved settings keep the last dispatched choice.
    click(createPoint);
    EXPECT_EQ(log, EventLog({"calendar 2010 0 0"}));
    send(WindowMessageKind::destroy);
    EXPECT_EQ(settingsEntries[yearEntry], "2010");
}

TEST_F(WindowProcedureTest, AToggleKeepsAPressReleasedOutsideUntilTheNextReleaseOverIt)
{
    press(onTopPoint);
    move(backgroundPoint);
    release(backgroundPoint);
    EXPECT_TRUE(log.empty());

    move(onTopPoint);
    release(onTopPoint);
    EXPECT_EQ(log, EventLog({"onTop 1"}));
    EXPECT_EQ(mainScreen().onTopToggle.state(), 2);
}

TEST_F(WindowProcedureTest, ToggleClickedTwiceReturnsToItsFirstState)
{
    click(onTopPoint);
    click(onTopPoint);
    click(translucencyPoint);
    click(translucencyPoint);
    EXPECT_EQ(log, EventLog({"onTop 1", "onTop 0", "opacity 190", "opacity 255"}));
    EXPECT_EQ(mainScreen().onTopToggle.state(), 1);
    EXPECT_EQ(mainScreen().translucencyToggle.state(), 1);
    EXPECT_FALSE(alwaysOnTop);
    EXPECT_FALSE(translucent);
}

TEST_F(WindowProcedureTest, ADoubleClickIssuesTwoCommands)
{
    click(calendarPagePoint);
    press(calendarPagePoint);
    release(calendarPagePoint);
    EXPECT_EQ(log, EventLog({calendarPageLink, calendarPageLink}));
}

TEST_F(WindowProcedureTest, TimerDrawsOnlyWhenSomethingChanged)
{
    tick();
    EXPECT_EQ(window.framesPresented, 1) << "the built screen asks for its first frame";
    EXPECT_EQ(repaintRequested, 0);
    settle();

    tick();
    EXPECT_EQ(newFrames(), 0);

    move(yearRow(2));
    tick();
    EXPECT_EQ(newFrames(), 1);
    tick();
    EXPECT_EQ(newFrames(), 1) << "one frame per change";
}

TEST_F(WindowProcedureTest, TimerNoticesAHiddenControlThatChanged)
{
    settle();
    mainScreen().weekendList.setVisible(false);
    tick();
    EXPECT_EQ(newFrames(), 1);
}

TEST_F(WindowProcedureTest, ToggleCommandsAskForARedrawEvenWithoutDirtyControls)
{
    settle();
    dispatchCommand(alwaysOnTopCommand);
    EXPECT_EQ(repaintRequested, 1);
    tick();
    EXPECT_EQ(newFrames(), 1);
}

TEST_F(WindowProcedureTest, PaintDrawsAFrameAndClearsTheDirtyFlags)
{
    settle();
    move(yearRow(1));
    ASSERT_TRUE(mainScreen().yearList.isDirty());
    send(WindowMessageKind::paint);
    EXPECT_EQ(newFrames(), 1);
    EXPECT_FALSE(mainScreen().yearList.isDirty());
    tick();
    EXPECT_EQ(newFrames(), 1) << "nothing left for the tick to draw";
}

TEST_F(WindowProcedureTest, KeyKRedrawsAtTheNextTickAndKeyCDoesNot)
{
    settle();
    send(WindowMessageKind::keyDown, 'C');
    tick();
    EXPECT_EQ(newFrames(), 0);
    send(WindowMessageKind::keyDown, 'K');
    EXPECT_EQ(repaintRequested, 1);
    tick();
    EXPECT_EQ(newFrames(), 1);
    // The one theme stays in use whichever key stepped it.
    EXPECT_EQ(screenSkin.currentSkin(), 0);
}

TEST_F(WindowProcedureTest, FrameShowsTheListsAndTheCreateButton)
{
    send(WindowMessageKind::paint);
    EXPECT_EQ(window.framePixel(120, 75), rgbColour(255, 150, 125)) << "caption row of Year:";
    EXPECT_EQ(window.framePixel(120, 95), rgbColour(255, 255, 0)) << "chosen row 2010";
    EXPECT_EQ(window.framePixel(120, 115), rgbColour(255, 255, 255)) << "ordinary row 2011";
    const Colour button = window.framePixel(160, 300);
    EXPECT_GT(redOf(button), 200) << "coral face of Create Calendar";
    EXPECT_LT(blueOf(button), 170);
}

TEST_F(WindowProcedureTest, DestroyCapturesTheChoicesAndTheWindowCorner)
{
    click(yearRow(1));
    click(weekendRow(1));
    click(layoutRow(1));
    click(onTopPoint);
    window.corner = {300, 120};
    EXPECT_TRUE(send(WindowMessageKind::destroy));
    EXPECT_EQ(settingsEntries, SettingsEntries({"0", "1", "0", "120", "300", "2011", "1", "1"}));
}

TEST_F(WindowProcedureTest, ACornerLeftOfTheScreenIsSavedAsItsUnsignedPattern)
{
    window.corner = {-8, -32000};
    send(WindowMessageKind::destroy);
    EXPECT_EQ(settingsEntries[windowLeftEntry], "4294967288");
    EXPECT_EQ(settingsEntries[windowTopEntry], "4294935296");
}

}  // namespace
