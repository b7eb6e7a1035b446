#include "app/run_command_line.h"

#include "app/command_line.h"
#include "app/window_loader.h"
#include "calendar/calendar_document.h"
#include "calendar/calendar_grid.h"
#include "platform/open_external.h"

#include <cstdio>
#include <ctime>

namespace {

constexpr int exitFailure = 1;
constexpr int exitUsage = 2;

int currentYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

// Output that could not be written (a full disk, a closed pipe) is a failure,
// not a silent success.
int finishStandardOutput()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::perror("orvelplan: cannot write to standard output");
        return exitFailure;
    }
    return 0;
}

int printTextPage(const CommandLine& line)
{
    calendarGrid.setYearAndWeekendDay(line.year, line.weekendDay);
    calendarGrid.build();
    return finishStandardOutput();
}

int writePdf(const CommandLine& line)
{
    calendarGrid.setYearAndWeekendDay(line.year, line.weekendDay);
    calendarGrid.layOut();

    CalendarFile file;
    if (line.output.empty()) {
        file = createCalendar(calendarGrid, line.calendarLayout, line.open, stderr);
    } else {
        file.path = line.output;
        file.error = createCalendarPdf(file.path, calendarGrid, line.calendarLayout, stderr);
        if (file.saved() && line.open)
            file.openError = openWithDefaultApplication(file.path);
    }
    if (!file.saved()) {
        std::fprintf(stderr, "orvelplan: %s\n", file.error.c_str());
        return exitFailure;
    }
    std::printf("%s\n", file.path.c_str());
    if (!file.openError.empty()) {
        std::fprintf(stderr, "orvelplan: calendar written, but it cannot be opened: %s\n", file.openError.c_str());
        finishStandardOutput();
        return exitFailure;
    }
    return finishStandardOutput();
}

}  // namespace

int runCommandLine(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ParsedCommandLine parsed = parseCommandLine(arguments, currentYear());
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "orvelplan: %s\n", parsed.error.c_str());
        return exitUsage;
    }
    const CommandLine& line = parsed.commandLine;
    switch (line.action) {
    case CommandLine::Action::window:
        return runWindowModule();
    case CommandLine::Action::pdf:
        return writePdf(line);
    case CommandLine::Action::text:
        return printTextPage(line);
    case CommandLine::Action::help:
        std::fputs(usageText(), stdout);
        return finishStandardOutput();
    case CommandLine::Action::version:
        std::fputs(versionText().c_str(), stdout);
        return finishStandardOutput();
    }
    return exitUsage;
}
