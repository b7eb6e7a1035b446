#pragma once
#include <string>
#include <vector>

#include "app/desktop_actions.h"
#include "calendar/calendar_grid.h"
#include "platform/colour.h"
#include "platform/draw_surface.h"
#include "platform/window_host.h"

// Everything the window and the desktop were asked to do, in order, as short
// lines such as "onTop 1", "opacity 190", "link <url>", "calendar 2016 6 1".
using EventLog = std::vector<std::string>;

// A window that only records: no display, no SDL window.
class RecordingWindow final : public WindowHost {
public:
    explicit RecordingWindow(EventLog& log) : log(log) {}

    void startTimer(unsigned id, int periodMs) override
    {
        timerId = id;
        timerPeriod = periodMs;
    }
    ClientSize clientSize() const override { return {471, 417}; }
    ScreenPoint outerTopLeft() const override { return corner; }
    void setAlwaysOnTop(bool onTop) override { log.push_back(std::string("onTop ") + (onTop ? "1" : "0")); }
    void setOpacity(int alpha) override { log.push_back("opacity " + std::to_string(alpha)); }
    void present(const DrawSurface& frame) override
    {
        ++framesPresented;
        lastFrame.assign(static_cast<std::size_t>(frame.width() * frame.height()), 0);
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                lastFrame[static_cast<std::size_t>(y * frame.width() + x)] = frame.pixel(x, y);
        frameWidth = frame.width();
    }
    Colour framePixel(int x, int y) const { return lastFrame.at(static_cast<std::size_t>(y * frameWidth + x)); }

    unsigned timerId = 0;
    int timerPeriod = 0;
    int framesPresented = 0;
    ScreenPoint corner{300, 120};

private:
    EventLog& log;
    std::vector<Colour> lastFrame;
    int frameWidth = 0;
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
        CalendarFile file;
        file.path = "/tmp/orvelplan0.pdf";
        file.error = calendarError;
        file.openError = viewerError;
        return file;
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
