#pragma once
#include <gtest/gtest.h>

#include "app/desktop_actions.h"
#include "app/settings_file.h"
#include "app/window_procedure.h"
#include "app/window_state.h"
#include "calendar/calendar_grid.h"
#include "platform/window_host.h"

// Everything the window and the desktop were asked to do, in order, as short
// lines such as "onTop 1", "opacity 190", "link <url>", "calendar 2016 6 1".
using EventLog = std::vector<std::string>;

// A window that only records: no display, no SDL window.
class RecordingWindow final : public WindowHost {
public:
    explicit RecordingWindow(EventLog& log) : log(log) {}

    void startTimer(unsigned id, int) override { timerId = id; }
    ClientSize clientSize() const override { return {471, 417}; }
    ScreenPoint outerTopLeft() const override { return corner; }
    void setAlwaysOnTop(bool onTop) override { log.push_back(std::string("onTop ") + (onTop ? "1" : "0")); }
    void setOpacity(int alpha) override { log.push_back("opacity " + std::to_string(alpha)); }
    void present(const DrawSurface&) override { ++framesPresented; }

    unsigned timerId = 0;
    int framesPresented = 0;
    ScreenPoint corner{300, 120};

private:
    EventLog& log;
};

// Desktop actions that record instead of opening a browser or writing a PDF.
class RecordingDesktop final : public DesktopActions {
public:
    explicit RecordingDesktop(EventLog& log) : log(log) {}

    void openLink(const std::string& link) override { log.push_back("link " + link); }
    CalendarFile createCalendar(const CalendarTextGrid& grid, int layout) override
    {
        log.push_back("calendar " + std::to_string(grid.getYear()) + " " + std::to_string(grid.getWeekendDay()) +
                      " " + std::to_string(layout));
        return {"/tmp/orvelplan0.pdf", calendarError, viewerError};
    }
    void showMessage(const std::string& caption, const std::string& text) override
    {
        log.push_back("message " + caption + ": " + text);
    }

    std::string calendarError;  // what the next createCalendar reports; empty = saved
    std::string viewerError;    // why the viewer could not be started; empty = started

private:
    EventLog& log;
};

// The main screen built in a recording window from the first settings lines
// given (the rest keep their start values).
class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override { build({}); }
    void TearDown() override { mainWindow = nullptr; }

    void build(const std::vector<std::string>& lines)
    {
        settingsEntries = initialSettingsEntries();
        for (std::size_t i = 0; i < lines.size(); ++i)
            settingsEntries[i] = lines[i];
        ASSERT_TRUE(windowProcedure(window, {WindowMessageKind::create}));
    }

    EventLog log;
    RecordingWindow window{log};
    RecordingDesktop desktop{log};
    ScopedDesktopActions useDesktop{desktop};
};
