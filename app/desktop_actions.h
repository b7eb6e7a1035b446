#pragma once
#include <string>

#include "calendar/calendar_document.h"

// What the window's commands ask of the rest of the desktop. The program uses
// the real browser, PDF writer and message box; tests put a recorder in their
// place so that no window opens and no file is written.
class DesktopActions {
public:
    virtual void openLink(const std::string& link) = 0;
    virtual CalendarFile createCalendar(const CalendarTextGrid& grid, int layout) = 0;
    // Hands a saved calendar to the default viewer; the reason when it cannot.
    virtual std::string openCalendar(const std::string& path) = 0;
    virtual void showMessage(const std::string& caption, const std::string& text) = 0;

protected:
    ~DesktopActions() = default;
};

DesktopActions& desktopActions();

// Routes the commands to `actions` until it is destroyed; restores the
// previous actions then.
class ScopedDesktopActions {
public:
    explicit ScopedDesktopActions(DesktopActions& actions);
    ~ScopedDesktopActions();
    ScopedDesktopActions(const ScopedDesktopActions&) = delete;
    ScopedDesktopActions& operator=(const ScopedDesktopActions&) = delete;

private:
    DesktopActions* previous;
};
