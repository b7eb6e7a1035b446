#pragma once
#include "app/calendar_choices.h"

#include <string>
#include <string_view>
#include <vector>

// What the command line asks for.
struct CommandLine {
    enum class Action { window, pdf, text, help, version };
    Action action = Action::window;
    int year = 0;            // 1..9999
    int weekendDay = 0;      // the weekday that ends each week, 0 = Sunday .. 6 = Saturday
    int calendarLayout = 0;  // 0 = "3 Months / row", 1 = "2 Months / row"
    std::string output;      // empty: the program folder's next orvelplanN.pdf; "-": standard output
    bool open = false;       // hand the written file to the default viewer
    bool weekendGiven = false;  // --weekend was given: the locale's first weekday does not apply
    CalendarChoices calendar;
};

// The --output value that means standard output.
inline constexpr std::string_view standardOutputName = "-";

// Whose habits the command line follows. Windows users also ask for help
// with /?, -? or /help, and read of their regional settings and folders in it.
enum class Conventions { gnu, windows };
#ifdef _WIN32
inline constexpr Conventions thisSystem = Conventions::windows;
#else
inline constexpr Conventions thisSystem = Conventions::gnu;
#endif

struct ParsedCommandLine {
    CommandLine commandLine;
    std::string error;  // one line naming the bad value and what is accepted; empty when valid
};

// Parses the arguments after the program name; `currentYear` is the default
// year. A long option may be cut to any beginning that names only it
// ("--vers", "--lay 2").
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments, int currentYear,
                                   Conventions conventions = thisSystem);

// What standard error gets for a usage error: the error, then where the help is.
std::string usageErrorText(std::string_view error);

// The help text, ending in a line feed.
std::string usageText(Conventions conventions = thisSystem);

// What --version prints: name and release on the first line, then copyright
// and licence.
std::string versionText();
