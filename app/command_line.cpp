#include "app/command_line.h"

#include "app/language_codes.h"
#include "app/version.h"
#include "calendar/calendar_grid.h"
#include "calendar/paper.h"
#include "calendar/text_encoding.h"

#include <algorithm>
#include <cctype>
#include <optional>

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

std::string quoted(std::string_view text)
{
    std::string result(1, '\'');
    result.append(text);
    result += '\'';
    return result;
}

#ifdef ORVEL_READS_MARKS
constexpr bool readsMarks = true;
#else
constexpr bool readsMarks = false;
#endif

// Which commands take an option; help and version stand alone.
enum class Takes { pdfAndText, pdf, alone };

// An option's lines in the help, the same on both systems unless `windows` is
// given; an empty `windows` leaves the option out of the Windows help.
struct HelpLines {
    std::string_view gnu;
    std::optional<std::string_view> windows;
};

// Every option: its names, the commands that take it, its value and what the
// value may be, how it is stored, and its help.
struct Option {
    std::string_view name;
    char letter;  // the one-letter form ("-y"), or 0
    Takes takes;
    const char* valueName;  // in messages; nullptr: an option without a value
    const char* accepted;
    bool (*apply)(CommandLine&, std::string_view value);  // false: the value is not acceptable
    bool calendarSection;  // listed in the help under "Calendar options"
    HelpLines help;
};

constexpr std::string_view helpOption = "--help";
constexpr std::string_view versionOption = "--version";
constexpr const char* weekdays = "0..6 with 0 = Sunday, or Sunday..Saturday";

constexpr Option options[] = {
    {"--year", 'y', Takes::pdfAndText, "year", "a whole number from 1 to 9999",
     [](CommandLine& l, std::string_view v) { return (l.year = parseNumber(v, 1, 9999).value_or(0)) != 0; }, false,
     {"  -y, --year=Y        the year, 1..9999 (default: the current year)\n", {}}},
    {"--weekend", 0, Takes::pdfAndText, "weekend day", weekdays,
     [](CommandLine& l, std::string_view v) {
         const auto day = parseWeekday(v);
         l.weekendDay = day.value_or(0);
         return l.weekendGiven = day.has_value();
     },
     false,
     {"      --weekend=D     the weekday that ends each week: 0..6 (0 = Sunday) or its\n"
      "                      English name (default: the day before the first day of\n"
      "                      the week, see --week-starts)\n",
      {}}},
    {"--layout", 0, Takes::pdf, "layout", "3 or 2 months per row",
     [](CommandLine& l, std::string_view v) {
         l.calendarLayout = v == "2" ? 1 : 0;
         return v == "3" || v == "2";
     },
     false,
     {"      --layout=3|2    months per row on the page (default: 3; on a landscape\n"
      "                      page 4 or 6)\n",
      {}}},
    {"--output", 'o', Takes::pdf, "output path", "a file name",
     [](CommandLine& l, std::string_view v) { return !(l.output = v).empty(); }, false,
     {"  -o, --output=PATH   where to write the PDF (default: orvelplanN.pdf in the\n"
      "                      program folder, $XDG_DATA_HOME/orvel/orvelplan/); '-'\n"
      "                      writes it to standard output. A file is replaced whole\n"
      "                      or not at all, except a writable file in a folder that\n"
      "                      cannot be written: that one is overwritten in place,\n"
      "                      which is not atomic. A FIFO or device is written into;\n"
      "                      a folder is refused.\n",
      "  -o, --output=PATH   where to write the PDF (default: orvelplanN.pdf in the\n"
      "                      program folder, C:\\ProgramData\\orvel\\orvelplan\\); '-'\n"
      "                      writes it to standard output. A file is replaced whole\n"
      "                      or not at all; a device such as NUL, or a pipe, is\n"
      "                      written into; a folder is refused.\n"}},
    {"--open", 0, Takes::pdf, nullptr, nullptr, [](CommandLine& l, std::string_view) { return l.open = true; }, false,
     {"      --open          open the written PDF in the default viewer\n", {}}},
    {"--paper", 0, Takes::pdf, "paper", "a4, letter, legal, a3 or a5",
     [](CommandLine& l, std::string_view v) { return (l.calendar.paper = parsePaper(v)).has_value(); }, true,
     {"      --paper=P       a4, letter, legal, a3 or a5 (default: the locale's paper;\n"
      "                      A4 in the C locale)\n",
      "      --paper=P       a4, letter, legal, a3 or a5 (default: the paper of your\n"
      "                      regional settings)\n"}},
    {"--landscape", 0, Takes::pdf, nullptr, nullptr,
     [](CommandLine& l, std::string_view) { return l.calendar.landscape = true; }, true,
     {"      --landscape     turn the paper sideways\n", {}}},
    {"--language", 0, Takes::pdfAndText, "language",
     "a language code such as de, pt-BR, zh-Hant-TW or de_DE.UTF-8 that the system has locale data for",
     [](CommandLine& l, std::string_view v) {
         return (l.calendar.language = chooseLanguage(v)).has_value();
     },
     true,
     {"      --language=L    month and weekday names in language L, as a code such as\n"
      "                      de, pt-BR, zh-Hant-TW or de_DE.UTF-8 (default: the\n"
      "                      locale's; English in C)\n",
      "      --language=L    month and weekday names in language L, as a code such as\n"
      "                      de, pt-BR or zh-Hant-TW (default: the language of your\n"
      "                      regional settings)\n"}},
    {"--week-starts", 0, Takes::pdfAndText, "first weekday", weekdays,
     [](CommandLine& l, std::string_view v) { return (l.calendar.weekStarts = parseWeekday(v)).has_value(); }, true,
     {"      --week-starts=D the first day of each week, as for --weekend (default:\n"
      "                      the locale's; Monday in the C locale)\n",
      "      --week-starts=D the first day of each week, as for --weekend (default:\n"
      "                      the first day of the week in your regional settings)\n"}},
    {"--week-numbers", 0, Takes::pdf, nullptr, nullptr,
     [](CommandLine& l, std::string_view) { return l.calendar.weekNumbers = true; }, true,
     {"      --week-numbers  ISO 8601 week numbers beside the week lines; a line that\n"
      "                      does not start on Monday gets the number of the ISO\n"
      "                      week that holds its Thursday (the week with most of its\n"
      "                      days)\n",
      {}}},
    {"--marks", 0, Takes::pdf, "marks file", "an iCalendar (.ics) file",
     [](CommandLine& l, std::string_view v) { return !(l.calendar.marksFile = v).empty(); }, true,
     {"      --marks=FILE    the days that the events of an iCalendar (.ics) file\n"
      "                      cover, in red\n",
      readsMarks ? std::optional<std::string_view>() : ""}},
    {"--shade-weekends", 0, Takes::pdf, nullptr, nullptr,
     [](CommandLine& l, std::string_view) { return l.calendar.shadeWeekends = true; }, true,
     {"      --shade-weekends  Saturdays and Sundays on light grey\n", {}}},
    {"--first-month", 0, Takes::pdfAndText, "first month", "1..12",
     [](CommandLine& l, std::string_view v) {
         const auto month = parseNumber(v, 1, 12);
         l.calendar.firstMonth = month.value_or(1);
         return month.has_value();
     },
     true, {"      --first-month=M twelve months from month M (1..12) of the year\n", {}}},
    {"--footer", 0, Takes::pdf, "footer", "a line of text; --no-footer leaves it out",
     [](CommandLine& l, std::string_view v) {
         l.calendar.footer = std::string(v);
         return isTextLine(v);
     },
     true, {"      --footer=TEXT   this line instead of the web address at the bottom\n", {}}},
    {"--no-footer", 0, Takes::pdf, nullptr, nullptr,
     [](CommandLine& l, std::string_view) { return l.calendar.noFooter = true; }, true,
     {"      --no-footer     no line at the bottom\n", {}}},
    {"--compress", 0, Takes::pdf, nullptr, nullptr,
     [](CommandLine& l, std::string_view) { return l.calendar.compress = true; }, true,
     {"      --compress      write the page compressed (about a sixth of the size)\n", {}}},
    {helpOption, 'h', Takes::alone, nullptr, nullptr, nullptr, true,
     {"  -h, --help          print this help and exit\n", "  /?, -h, --help      print this help and exit\n"}},
    {versionOption, 0, Takes::alone, nullptr, nullptr, nullptr, true,
     {"      --version       print the version and exit\n", {}}},
};

bool acceptedBy(CommandLine::Action action, const Option& option)
{
    return (option.takes == Takes::pdfAndText && action == CommandLine::Action::text) ||
           (option.takes != Takes::alone && action == CommandLine::Action::pdf);
}

// The option a long name means: the one of that name, else the one whose name
// it begins, looking first among the options that `action` takes. Several
// such options make `ambiguity` name them all.
const Option* findOption(std::string_view name, CommandLine::Action action, std::string& ambiguity)
{
    for (const Option& option : options)
        if (option.name == name)
            return &option;
    if (name.size() <= 2)
        return nullptr;
    for (const bool takenOnly : {true, false}) {
        std::vector<const Option*> found;
        for (const Option& option : options)
            if (option.name.starts_with(name) && (!takenOnly || acceptedBy(action, option)))
                found.push_back(&option);
        if (found.size() == 1)
            return found.front();
        if (found.size() > 1) {
            ambiguity = "option " + quoted(name) + " is ambiguous; possibilities:";
            for (const Option* option : found)
                ambiguity.append(" ").append(quoted(option->name));
            return nullptr;
        }
    }
    return nullptr;
}

const Option* findLetter(char letter)
{
    for (const Option& option : options)
        if (option.letter != 0 && option.letter == letter)
            return &option;
    return nullptr;
}

// "--he", "-h", and on Windows "/?", "-?" and "/help" ask for help wherever
// they stand before "--".
bool asksForHelp(std::string_view argument, Conventions conventions)
{
    if (conventions == Conventions::windows &&
        (argument == "/?" || argument == "-?" || equalsIgnoringCase(argument, "/help")))
        return true;
    if (argument == "-h")
        return true;
    std::string ambiguity;
    const Option* option =
        argument.starts_with("--") ? findOption(argument, CommandLine::Action::window, ambiguity) : nullptr;
    return option && option->name == helpOption;
}

// "--year, --weekend or --week-starts": the options `action` takes, with
// `last` before the last of them.
std::string namesTakenBy(CommandLine::Action action, const char* last)
{
    std::vector<std::string_view> names;
    for (const Option& option : options)
        if (acceptedBy(action, option))
            names.push_back(option.name);
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text.append(i == 0 ? "" : i + 1 == names.size() ? last : ", ").append(names[i]);
    return text;
}

std::string expectedOptions(CommandLine::Action action)
{
    return " (expected " + namesTakenBy(action, " or ") + ")";
}

// Reads the options after the command into `line`; the error, or empty.
std::string parseOptions(const std::vector<std::string>& arguments, std::size_t i, bool optionsEnded,
                         const std::string& command, CommandLine& line)
{
    for (; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        // Neither command takes file names or other words: everything it
        // needs comes as options.
        if (optionsEnded || argument.size() < 2 || argument[0] != '-')
            return "unexpected argument " + quoted(argument) + " for " + quoted(command) + expectedOptions(line.action);
        const Option* option = nullptr;
        std::optional<std::string_view> value;
        std::string ambiguity;
        if (!argument.starts_with("--")) {
            // "-o PATH" and "-oPATH", as getopt reads them.
            option = findLetter(argument[1]);
            if (argument.size() > 2)
                value = argument.substr(2);
        } else {
            const std::size_t equals = argument.find('=');
            if (equals != std::string_view::npos)
                value = argument.substr(equals + 1);
            option = findOption(argument.substr(0, equals), line.action, ambiguity);
        }
        if (!ambiguity.empty())
            return ambiguity;
        if (!option)
            return "unknown option " + quoted(argument) + " for " + quoted(command) + expectedOptions(line.action);
        const std::string name = quoted(option->name);
        if (!acceptedBy(line.action, *option))
            return "option " + name + " does not apply to " + quoted(command) + expectedOptions(line.action);
        if (!option->valueName) {
            if (value)
                return "option " + name + " takes no value";
            option->apply(line, {});
            continue;
        }
        const std::string expected = std::string(" (expected ") + option->accepted + ")";
        if (!value) {
            // "--output --open" is a forgotten value, not a file named "--open";
            // such a name can still be given as --output=--open.
            if (i + 1 == arguments.size() || arguments[i + 1].starts_with("--"))
                return "option " + name + " needs a value" + expected;
            value = arguments[++i];
        }
        if (!option->apply(line, *value))
            return std::string("invalid ") + option->valueName + " " + quoted(*value) + expected;
    }
    if (line.weekendGiven && line.calendar.weekStarts)
        return "options '--weekend' and '--week-starts' both choose the first day of the week (give one)";
    if (line.calendar.footer && line.calendar.noFooter)
        return "options '--footer' and '--no-footer' contradict each other (give one)";
    if (line.open && line.output == standardOutputName)
        return "option '--open' needs a file; '--output -' writes to standard output";
    return {};
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments, int currentYear, Conventions conventions)
{
    ParsedCommandLine parsed;
    CommandLine& line = parsed.commandLine;
    line.year = currentYear;

    // "--" ends the options: a "--help" after it is not a request for help.
    const auto optionsEnd = std::find(arguments.begin(), arguments.end(), "--");
    if (std::any_of(arguments.begin(), optionsEnd,
                    [conventions](const std::string& a) { return asksForHelp(a, conventions); })) {
        line.action = CommandLine::Action::help;
        return parsed;
    }
    std::size_t i = 0;
    const bool optionsEnded = !arguments.empty() && arguments.front() == "--";
    if (optionsEnded)
        i = 1;
    if (i == arguments.size())
        return parsed;

    const std::string& command = arguments[i++];
    std::string ambiguity;
    const Option* option =
        !optionsEnded && command.starts_with("--") ? findOption(command, line.action, ambiguity) : nullptr;
    if (option && option->name == versionOption) {
        line.action = CommandLine::Action::version;
        if (i < arguments.size())
            parsed.error = "unexpected argument " + quoted(arguments[i]) + " after --version";
    } else if (command == "pdf" || command == "text") {
        line.action = command == "pdf" ? CommandLine::Action::pdf : CommandLine::Action::text;
        parsed.error = parseOptions(arguments, i, optionsEnded, command, line);
    } else {
        parsed.error = !ambiguity.empty() ? ambiguity
                                          : "unknown command " + quoted(command) + " (expected pdf, text, --help or --version)";
    }
    return parsed;
}

std::string usageErrorText(std::string_view error)
{
    return "orvelplan: " + std::string(error) + "\nTry 'orvelplan --help' for more information.\n";
}

std::string usageText(Conventions conventions)
{
    const bool windows = conventions == Conventions::windows;
    std::string text = std::string(
        "Usage: orvelplan                   open the window\n"
        "  or:  orvelplan pdf [OPTION]...   write a year calendar as PDF and print its path\n"
        "  or:  orvelplan text [OPTION]...  print the year as a text page\n") +
        (windows ? "  or:  orvelplan /? | --version\n" : "  or:  orvelplan --help | --version\n") +
        "Makes a printable one-page year calendar.\n"
        "\n"
        "Options (text takes " + namesTakenBy(CommandLine::Action::text, " and ") + "):\n";
    bool inCalendarSection = false;
    for (const Option& option : options) {
        if (option.calendarSection && !inCalendarSection) {
            inCalendarSection = true;
            text += windows ? "\nCalendar options (defaults from your regional settings):\n"
                            : "\nCalendar options (defaults from the locale's LC_PAPER and LC_TIME):\n";
        }
        text += windows ? option.help.windows.value_or(option.help.gnu) : option.help.gnu;
    }
    text += "      --              end of the options\n"
            "\n"
            "Exit status: 0 done, 1 the calendar could not be written, 2 bad arguments;\n";
    return text + (windows ? "the window ends with 0 when it saved its settings, 1 when it could not, or\n"
                             "the Windows error code when it cannot start.\n"
                           : "the window's exit statuses are listed in orvelplan(1).\n");
}

std::string versionText()
{
    return std::string(programName) + " (" + packageName + ") " + programVersion + "\n" + copyrightLine +
           "\n"
           "License zlib: <https://zlib.net/zlib_license.html>\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}
