#include "app/run_command_line.h"

#include "app/calendar_setup.h"
#include "app/command_line.h"
#include "app/window_loader.h"
#include "calendar/calendar_document.h"
#include "calendar/calendar_grid.h"
#include "calendar/civil_date.h"
#include "calendar/marked_days.h"
#include "platform/console.h"
#include "platform/exit_status.h"
#include "platform/file_save.h"
#include "platform/local_time.h"
#include "platform/open_external.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

// Kept from the start so that running out of memory can still be told: the
// first allocation that fails gives it back and fails as std::bad_alloc, so
// that the exception itself, the unwinding (which removes a half-written
// temporary file) and the message have memory left to use.
constexpr std::size_t failureReserveSize = 64 * 1024;
void* failureReserve = nullptr;

void giveBackFailureReserve()
{
    std::free(failureReserve);
    failureReserve = nullptr;
    std::set_new_handler(nullptr);
    throw std::bad_alloc();
}

int reportOutOfMemory()
{
    std::fputs("orvelplan: out of memory\n", stderr);
    return exitStatus::failure;
}

// Output that could not be written (a full disk, a closed pipe) is a failure,
// not a silent success.
int finishStandardOutput()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::perror("orvelplan: cannot write to standard output");
        return exitStatus::failure;
    }
    return exitStatus::success;
}

// The calendar's settings on the grid, with the warnings printed; false after
// printing the error of a bad value.
bool setUpGrid(const CalendarSetup& setup)
{
    for (const std::string& warning : setup.warnings)
        std::fprintf(stderr, "orvelplan: %s\n", warning.c_str());
    if (!setup.error.empty()) {
        const std::string text = setup.usageError ? usageErrorText(setup.error) : "orvelplan: " + setup.error + "\n";
        std::fputs(text.c_str(), stderr);
        return false;
    }
    calendarGrid.setFirstMonth(setup.firstMonth);
    return true;
}

int printTextPage(const CommandLine& line)
{
    const CalendarSetup setup = setUpCalendar(line);
    if (!setUpGrid(setup))
        return exitStatus::usage;
    calendarGrid.setYearAndWeekendDay(line.year, setup.weekendDay);
    calendarGrid.setNames(setup.page.names.months, setup.page.names.weekdays);
    calendarGrid.build();
    return finishStandardOutput();
}

int writePdfToStandardOutput(const RenderedPdf& pdf)
{
    const std::string error = pdf.error.empty() ? writeStandardOutput(pdf.bytes) : pdf.error;
    if (!error.empty()) {
        std::fprintf(stderr, "orvelplan: %s\n", error.c_str());
        return exitStatus::failure;
    }
    return exitStatus::success;
}

int writePdf(const CommandLine& line)
{
    CalendarSetup setup = setUpCalendar(line);
    if (!setUpGrid(setup))
        return exitStatus::usage;
    calendarGrid.setYearAndWeekendDay(line.year, setup.weekendDay);
    calendarGrid.layOut();
    if (!line.calendar.marksFile.empty()) {
        const long long firstDay = daysFromCivil(calendarGrid.blockYear(0), calendarGrid.blockMonth(0), 1);
        const long long lastDay =
            daysFromCivil(calendarGrid.blockYear(11), calendarGrid.blockMonth(11),
                          daysInMonth(calendarGrid.blockYear(11), calendarGrid.blockMonth(11)));
        MarkedDays marks = readMarkedDays(line.calendar.marksFile, firstDay, lastDay);
        if (!marks.error.empty()) {
            std::fprintf(stderr, "orvelplan: %s\n", marks.error.c_str());
            return exitStatus::usage;
        }
        setup.page.marked = std::move(marks.days);
    }

    // Library errors are told on standard error alone, as the failure's one
    // line: standard output carries the path, or the PDF itself.
    CalendarRequest request(calendarGrid, line.calendarLayout, nullptr);
    request.page = std::move(setup.page);
    reportClosedPipesAsErrors();
    const RenderedPdf pdf = renderCalendarPdf(request);
    if (pdf.footerTooSmall) {
        std::fputs(usageErrorText(unreadableFooterError(request.page.footerText)).c_str(), stderr);
        return exitStatus::usage;
    }
    if (line.output == standardOutputName)
        return writePdfToStandardOutput(pdf);

    CalendarFile file;
    if (line.output.empty()) {
        file = saveCalendar(pdf);
    } else {
        SaveResult saved = saveCalendarPdf(pdf, line.output);
        file.path = line.output;
        file.error = std::move(saved.error);
        file.file = std::move(saved.file);
    }
    if (!file.saved()) {
        std::fprintf(stderr, "orvelplan: %s\n", file.error.c_str());
        return exitStatus::failure;
    }
    // The printed path is the result: when it cannot be told, the calendar
    // just made is taken away again rather than left where nobody was told.
    // A program started with no standard output at all (from a shortcut on
    // Windows) was never going to tell it: the calendar stays.
    if (!standardOutputAbsent()) {
        std::printf("%s\n", file.path.c_str());
        if (finishStandardOutput() != 0) {
            file.file.discard();
            return exitStatus::failure;
        }
    }
    if (line.open) {
        if (const std::string error = openWithDefaultApplication(file.path); !error.empty()) {
            std::fprintf(stderr, "orvelplan: calendar written, but it cannot be opened: %s\n", error.c_str());
            return exitStatus::failure;
        }
    }
    return exitStatus::success;
}

int runCommand(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ParsedCommandLine parsed = parseCommandLine(arguments, currentLocalYear());
    // Everything but the window answers on the streams, which on Windows have
    // to be connected first.
    if (!parsed.error.empty() || parsed.commandLine.action != CommandLine::Action::window)
        connectToParentConsole();
    if (!parsed.error.empty()) {
        std::fputs(usageErrorText(parsed.error).c_str(), stderr);
        return exitStatus::usage;
    }
    const CommandLine& line = parsed.commandLine;
    switch (line.action) {
    case CommandLine::Action::window:
        return launchWindow();
    case CommandLine::Action::pdf:
        return writePdf(line);
    case CommandLine::Action::text:
        return printTextPage(line);
    case CommandLine::Action::help:
        std::fputs(usageText().c_str(), stdout);
        return finishStandardOutput();
    case CommandLine::Action::version:
        std::fputs(versionText().c_str(), stdout);
        return finishStandardOutput();
    }
    return exitStatus::usage;
}

}  // namespace

int runCommandLine(int argc, char** argv)
{
    failureReserve = std::malloc(failureReserveSize);
    if (!failureReserve)
        return reportOutOfMemory();
    std::set_new_handler(giveBackFailureReserve);
    try {
        return runCommand(argc, argv);
    } catch (const std::bad_alloc&) {
        return reportOutOfMemory();
    }
}
