#include "app/desktop_actions.h"

#include <cstdio>

#include "platform/message_box.h"
#include "platform/open_external.h"

namespace {

class SystemDesktop final : public DesktopActions {
public:
    void openLink(const std::string& link) override
    {
        // The browser's fate is its own affair; only a launcher that could not
        // even start is worth a line for whoever watches the terminal.
        if (const std::string error = openWithDefaultApplication(link); !error.empty())
            std::fprintf(stderr, "orvelplan: %s\n", error.c_str());
    }
    CalendarFile createCalendar(const CalendarTextGrid& grid, int layout) override
    {
        // The window keeps its newest calendar until the next one, so another
        // copy of the program does not reuse its number in the meantime; for
        // this window's own next calendar the number is free again unless a
        // viewer holds the file.
        newestCalendar.release();
        CalendarFile file = ::createCalendar(CalendarRequest(grid, layout));
        newestCalendar = std::move(file.file);
        return file;
    }
    std::string openCalendar(const std::string& path) override { return openWithDefaultApplication(path); }
    void showMessage(const std::string& caption, const std::string& text) override
    {
        showMessageBox(caption, text);
    }

private:
    SavedFile newestCalendar;
};

SystemDesktop systemDesktop;
DesktopActions* currentActions = &systemDesktop;

}  // namespace

DesktopActions& desktopActions()
{
    return *currentActions;
}

ScopedDesktopActions::ScopedDesktopActions(DesktopActions& actions) : previous(currentActions)
{
    currentActions = &actions;
}

ScopedDesktopActions::~ScopedDesktopActions()
{
    currentActions = previous;
}
