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

struct ParsedCommandLine {
    CommandLine commandLine;
    std::string error;  // one line naming the bad value and what is accepted; empty when valid
};

// Parses the arguments after the program name; `currentYear` is the default year.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments, int currentYear);

// The help text, ending in a line feed.
std::string usageText();

// What --version prints: name and release on the first line, then copyright
// and licence.
std::string versionText();
