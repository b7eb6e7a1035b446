#include "app/command_line.h"

#include "calendar/calendar_grid.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// A plain decimal number within [low, high]: digits only, no sign, no blanks.
std::optional<int> parseNumber(std::string_view text, int low, int high)
{
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](char c) {
            return c >= '0' && c <= '9';
        }))
        return std::nullopt;
    int value = 0;
    for (char c : text)
        value = value * 10 + (c - '0');
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<int> parseWeekday(std::string_view text)
{
    if (auto number = parseNumber(text, 0, 6))
        return number;
    for (int day = 0; day < 7; ++day)
        if (equalsIgnoringCase(text, weekdayNames[day]))
            return day;
    return std::nullopt;
}

std::string quoted(std::string_view text)
{
    std::string result(1, '\'');
    result.append(text);
    result += '\'';
    return result;
}

// Reads one option's value into the command line; returns an error line or "".
std::string applyOption(CommandLine& line, std::string_view name, std::string_view value)
{
    if (name == "--year") {
        auto year = parseNumber(value, 1, 9999);
        if (!year)
            return "invalid year " + quoted(value) + " (expected a whole number from 1 to 9999)";
        line.year = *year;
    } else if (name == "--weekend") {
        auto day = parseWeekday(value);
        if (!day)
            return "invalid weekend day " + quoted(value) + " (expected 0..6 with 0 = Sunday, or Sunday..Saturday)";
        line.weekendDay = *day;
    } else if (name == "--layout") {
        if (value == "3")
            line.calendarLayout = 0;
        else if (value == "2")
            line.calendarLayout = 1;
        else
            return "invalid layout " + quoted(value) + " (expected 3 or 2 months per row)";
    } else if (name == "--output") {
        if (value.empty())
            return "invalid output path '' (expected a file name)";
        line.output = value;
    }
    return {};
}

bool takesValue(std::string_view name)
{
    return name == "--year" || name == "--weekend" || name == "--layout" || name == "--output";
}

bool acceptedBy(CommandLine::Action action, std::string_view name)
{
    if (name == "--year" || name == "--weekend")
        return true;
    return action == CommandLine::Action::pdf && (name == "--layout" || name == "--output" || name == "--open");
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments, int currentYear)
{
    ParsedCommandLine parsed;
    CommandLine& line = parsed.commandLine;
    line.year = currentYear;
    if (arguments.empty())
        return parsed;

    if (std::find_if(arguments.begin(), arguments.end(),
                     [](const std::string& a) { return a == "--help" || a == "-h"; }) != arguments.end()) {
        line.action = CommandLine::Action::help;
        return parsed;
    }
    const std::string& command = arguments.front();
    if (command == "--version") {
        line.action = CommandLine::Action::version;
        if (arguments.size() > 1)
            parsed.error = "unexpected argument " + quoted(arguments[1]) + " after --version";
        return parsed;
    }
    if (command == "pdf")
        line.action = CommandLine::Action::pdf;
    else if (command == "text")
        line.action = CommandLine::Action::text;
    else {
        parsed.error = "unknown command " + quoted(command) + " (expected pdf, text, --help or --version)";
        return parsed;
    }

    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        std::string_view name = argument;
        std::optional<std::string_view> value;
        if (const auto equals = argument.find('='); argument.starts_with("--") && equals != std::string_view::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        }
        if (!acceptedBy(line.action, name)) {
            const bool known = takesValue(name) || name == "--open";
            parsed.error = known ? "option " + quoted(name) + " does not apply to " + quoted(command)
                                 : "unknown option " + quoted(argument) + " for " + quoted(command);
            return parsed;
        }
        if (!takesValue(name)) {
            if (value) {
                parsed.error = "option " + quoted(name) + " takes no value";
                return parsed;
            }
            line.open = true;
            continue;
        }
        if (!value) {
            // "--output --open" is a forgotten value, not a file named "--open";
            // such a name can still be given as --output=--open.
            if (i + 1 == arguments.size() || arguments[i + 1].starts_with("--")) {
                parsed.error = "option " + quoted(name) + " needs a value";
                return parsed;
            }
            value = arguments[++i];
        }
        parsed.error = applyOption(line, name, *value);
        if (!parsed.error.empty())
            return parsed;
    }
    return parsed;
}

const char* usageText()
{
    return "usage: orvelplan                 open the window\n"
           "       orvelplan pdf  [--year Y] [--weekend D] [--layout 3|2] [--output PATH] [--open]\n"
           "       orvelplan text [--year Y] [--weekend D]\n"
           "       orvelplan --help | --version\n"
           "\n"
           "  pdf      write a one-page year calendar as PDF and print its path\n"
           "  text     print the year as a text page\n"
           "  --year Y       the year, 1..9999 (default: the current year)\n"
           "  --weekend D    the weekday that ends each week: 0..6 (0 = Sunday) or its\n"
           "                 English name (default: Sunday)\n"
           "  --layout 3|2   months per row on the page (default: 3)\n"
           "  --output PATH  where to write the PDF (default: orvelplanN.pdf in the\n"
           "                 program folder, $XDG_DATA_HOME/orvel/orvelplan/)\n"
           "  --open         open the written PDF in the default viewer\n";
}
