#include "app/command_line.h"

#include "app/language_codes.h"
#include "app/version.h"
#include "calendar/calendar_grid.h"
#include "calendar/paper.h"
#include "calendar/text_encoding.h"
#include "platform/app_folders.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>
#include <utility>

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

// The options, the commands that take them and, for those with a value, what
// the value may be.
struct OptionRule {
    std::string_view name;
    bool pdfOnly;
    const char* valueName;  // nullptr: a flag without a value
    const char* accepted;
};
constexpr OptionRule optionRules[] = {
    {"--year", false, "year", "a whole number from 1 to 9999"},
    {"--weekend", false, "weekend day", "0..6 with 0 = Sunday, or Sunday..Saturday"},
    {"--layout", true, "layout", "3 or 2 months per row"},
    {"--output", true, "output path", "a file name"},
    {"--open", true, nullptr, nullptr},
    {"--paper", true, "paper", "a4, letter, legal, a3 or a5"},
    {"--landscape", true, nullptr, nullptr},
    {"--language", true, "language", "a language code such as de, fr, pl, or with a territory, pt_BR"},
    {"--week-starts", false, "first weekday", "0..6 with 0 = Sunday, or Sunday..Saturday"},
    {"--week-numbers", true, nullptr, nullptr},
    {"--marks", true, "marks file", "an iCalendar (.ics) file"},
    {"--shade-weekends", true, nullptr, nullptr},
    {"--first-month", false, "first month", "1..12"},
    {"--footer", true, "footer", "a line of text; --no-footer leaves it out"},
    {"--no-footer", true, nullptr, nullptr},
    {"--compress", true, nullptr, nullptr},
};

// What each option without a value turns on.
struct FlagRule {
    std::string_view name;
    void (*set)(CommandLine&);
};
constexpr FlagRule flagRules[] = {
    {"--open", [](CommandLine& line) { line.open = true; }},
    {"--landscape", [](CommandLine& line) { line.calendar.landscape = true; }},
    {"--week-numbers", [](CommandLine& line) { line.calendar.weekNumbers = true; }},
    {"--shade-weekends", [](CommandLine& line) { line.calendar.shadeWeekends = true; }},
    {"--no-footer", [](CommandLine& line) { line.calendar.noFooter = true; }},
    {"--compress", [](CommandLine& line) { line.calendar.compress = true; }},
};

void setFlag(CommandLine& line, std::string_view name)
{
    for (const FlagRule& rule : flagRules)
        if (rule.name == name)
            rule.set(line);
}

std::optional<int> parsePaper(std::string_view text)
{
    for (int i = 0; i < static_cast<int>(std::size(papers)); ++i)
        if (equalsIgnoringCase(text, papers[i].name))
            return i;
    return std::nullopt;
}

// One line of printable text: no control characters, valid UTF-8.
bool isTextLine(std::string_view text)
{
    const auto characters = decodeUtf8(text);
    return !text.empty() && characters &&
           std::none_of(characters->begin(), characters->end(), [](char32_t c) { return c < 0x20 || c == 0x7F; });
}

// The values of the calendar options; false when the value is not acceptable.
struct ValueRule {
    std::string_view name;
    bool (*apply)(CalendarChoices&, std::string_view);
};
constexpr ValueRule calendarValueRules[] = {
    {"--paper", [](CalendarChoices& c, std::string_view v) { return (c.paper = parsePaper(v)).has_value(); }},
    {"--language", [](CalendarChoices& c, std::string_view v) {
         return (c.language = chooseLanguage(v)).has_value();
     }},
    {"--week-starts", [](CalendarChoices& c, std::string_view v) { return (c.weekStarts = parseWeekday(v)).has_value(); }},
    {"--marks", [](CalendarChoices& c, std::string_view v) { return !(c.marksFile = v).empty(); }},
    {"--first-month", [](CalendarChoices& c, std::string_view v) {
         const auto month = parseNumber(v, 1, 12);
         c.firstMonth = month.value_or(1);
         return month.has_value();
     }},
    {"--footer", [](CalendarChoices& c, std::string_view v) {
         c.footer = std::string(v);
         return isTextLine(v);
     }},
};

bool applyCalendarOption(CalendarChoices& choices, std::string_view name, std::string_view value)
{
    for (const ValueRule& rule : calendarValueRules)
        if (rule.name == name)
            return rule.apply(choices, value);
    return false;
}

// The one-letter forms; "-h" is read with "--help" before anything else.
constexpr std::pair<std::string_view, std::string_view> shortOptions[] = {
    {"-o", "--output"},
    {"-y", "--year"},
};

// The long name of a one-letter option; unknown letters stay as they are.
std::string_view longNameOf(std::string_view shortName)
{
    for (const auto& [letter, name] : shortOptions)
        if (letter == shortName)
            return name;
    return shortName;
}

const OptionRule* findOption(std::string_view name)
{
    for (const OptionRule& rule : optionRules)
        if (rule.name == name)
            return &rule;
    return nullptr;
}

bool acceptedBy(CommandLine::Action action, const OptionRule& rule)
{
    return !rule.pdfOnly || action == CommandLine::Action::pdf;
}

// "(expected --year or --weekend)" for the options the command takes.
std::string expectedOptions(CommandLine::Action action)
{
    std::vector<std::string_view> names;
    for (const OptionRule& rule : optionRules)
        if (acceptedBy(action, rule))
            names.push_back(rule.name);
    std::string text = " (expected ";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            text += i + 1 == names.size() ? " or " : ", ";
        text += names[i];
    }
    return text + ")";
}

// Stores one option's value; false when the value is not acceptable.
bool applyOption(CommandLine& line, std::string_view name, std::string_view value)
{
    std::optional<int> number;
    if (name == "--year" && (number = parseNumber(value, 1, 9999)))
        line.year = *number;
    else if (name == "--weekend" && (number = parseWeekday(value)))
        line.weekendDay = *number, line.weekendGiven = true;
    else if (name == "--layout" && (value == "3" || value == "2"))
        line.calendarLayout = value == "3" ? 0 : 1;
    else if (name == "--output" && !value.empty())
        line.output = value;
    else
        return applyCalendarOption(line.calendar, name, value);
    return true;
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments, int currentYear)
{
    ParsedCommandLine parsed;
    CommandLine& line = parsed.commandLine;
    line.year = currentYear;

    // "--" ends the options: a "--help" after it is not a request for help.
    const auto optionsEnd = std::find(arguments.begin(), arguments.end(), "--");
    if (std::find_if(arguments.begin(), optionsEnd,
                     [](const std::string& a) { return a == "--help" || a == "-h"; }) != optionsEnd) {
        line.action = CommandLine::Action::help;
        return parsed;
    }
    std::size_t i = 0;
    bool optionsEnded = false;
    if (!arguments.empty() && arguments.front() == "--") {
        optionsEnded = true;
        i = 1;
    }
    if (i == arguments.size())
        return parsed;

    const std::string& command = arguments[i++];
    if (!optionsEnded && command == "--version") {
        line.action = CommandLine::Action::version;
        if (i < arguments.size())
            parsed.error = "unexpected argument " + quoted(arguments[i]) + " after --version";
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

    for (; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        // Neither command takes file names or other words: everything it
        // needs comes as options.
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            parsed.error = "unexpected argument " + quoted(argument) + " for " + quoted(command) +
                           expectedOptions(line.action);
            return parsed;
        }
        std::string_view name = argument;
        std::optional<std::string_view> value;
        if (!argument.starts_with("--")) {
            // "-o PATH" and "-oPATH", as getopt reads them.
            name = longNameOf(argument.substr(0, 2));
            if (argument.size() > 2)
                value = argument.substr(2);
        } else if (const auto equals = argument.find('='); equals != std::string_view::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        }
        const OptionRule* rule = findOption(name);
        if (!rule || !acceptedBy(line.action, *rule)) {
            parsed.error = (rule ? "option " + quoted(name) + " does not apply to " + quoted(command)
                                 : "unknown option " + quoted(argument) + " for " + quoted(command)) +
                           expectedOptions(line.action);
            return parsed;
        }
        if (!rule->valueName) {
            if (value) {
                parsed.error = "option " + quoted(name) + " takes no value";
                return parsed;
            }
            setFlag(line, name);
            continue;
        }
        const std::string expected = std::string(" (expected ") + rule->accepted + ")";
        if (!value) {
            // "--output --open" is a forgotten value, not a file named "--open";
            // such a name can still be given as --output=--open.
            if (i + 1 == arguments.size() || arguments[i + 1].starts_with("--")) {
                parsed.error = "option " + quoted(name) + " needs a value" + expected;
                return parsed;
            }
            value = arguments[++i];
        }
        if (!applyOption(line, name, *value)) {
            parsed.error = std::string("invalid ") + rule->valueName + " " + quoted(*value) + expected;
            return parsed;
        }
    }
    if (line.weekendGiven && line.calendar.weekStarts)
        parsed.error = "options '--weekend' and '--week-starts' both choose the first day of the week (give one)";
    else if (line.calendar.footer && line.calendar.noFooter)
        parsed.error = "options '--footer' and '--no-footer' contradict each other (give one)";
    else if (line.open && line.output == standardOutputName)
        parsed.error = "option '--open' needs a file; '--output -' writes to standard output";
    return parsed;
}

std::string usageText()
{
    return std::string("Usage: orvelplan                   open the window\n"
           "  or:  orvelplan pdf [OPTION]...   write a year calendar as PDF and print its path\n"
           "  or:  orvelplan text [OPTION]...  print the year as a text page\n"
           "  or:  orvelplan --help | --version\n"
           "Makes a printable one-page year calendar.\n"
           "\n"
           "Options (text takes --year, --weekend, --week-starts and --first-month):\n"
           "  -y, --year=Y        the year, 1..9999 (default: the current year)\n"
           "      --weekend=D     the weekday that ends each week: 0..6 (0 = Sunday) or its\n"
           "                      English name (default: the day before the first day of\n"
           "                      the week, see --week-starts)\n"
           "      --layout=3|2    months per row on the page (default: 3; on a landscape\n"
           "                      page 4 or 6)\n"
           "  -o, --output=PATH   where to write the PDF (default: orvelplanN.pdf in the\n"
           "                      program folder, ") + programFolderForHelp() + "); '-'\n"
           "                      writes it to standard output. A file is replaced whole\n"
           "                      or not at all, except a writable file in a folder that\n"
           "                      cannot be written: that one is overwritten in place,\n"
           "                      which is not atomic. A FIFO or device is written into;\n"
           "                      a folder is refused.\n"
           "      --open          open the written PDF in the default viewer\n"
           "\n"
           "Calendar options (defaults from the locale's LC_PAPER and LC_TIME):\n"
           "      --paper=P       a4, letter, legal, a3 or a5 (default: the locale's paper;\n"
           "                      A4 in the C locale)\n"
           "      --landscape     turn the paper sideways\n"
           "      --language=L    month and weekday names in language L: de, fr, es, it, nl,\n"
           "                      pt, sv, da, nb, fi, pl, cs, el, ru, ... or with a\n"
           "                      territory, pt_BR (default: the locale's; English in C)\n"
           "      --week-starts=D the first day of each week, as for --weekend (default:\n"
           "                      the locale's; Monday in the C locale)\n"
           "      --week-numbers  ISO 8601 week numbers beside the week lines; a line that\n"
           "                      does not start on Monday gets the number of the ISO\n"
           "                      week that holds its Thursday (the week with most of its\n"
           "                      days)\n"
           "      --marks=FILE    the days that the events of an iCalendar (.ics) file\n"
           "                      cover, in red\n"
           "      --shade-weekends  Saturdays and Sundays on light grey\n"
           "      --first-month=M twelve months from month M (1..12) of the year\n"
           "      --footer=TEXT   this line instead of the web address at the bottom\n"
           "      --no-footer     no line at the bottom\n"
           "      --compress      write the page compressed (about a sixth of the size)\n"
           "  -h, --help          print this help and exit\n"
           "      --version       print the version and exit\n"
           "      --              end of the options\n"
           "\n"
           "Exit status: 0 done, 1 the calendar could not be written, 2 bad arguments;\n"
           "the window's exit statuses are listed in orvelplan(1).\n";
}

std::string versionText()
{
    return std::string(programName) + " (" + packageName + ") " + programVersion + "\n" + copyrightLine +
           "\n"
           "License zlib: <https://zlib.net/zlib_license.html>\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}
