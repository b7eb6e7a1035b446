#include "app/command_line.h"
#include "app/version.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

using Action = CommandLine::Action;

ParsedCommandLine parse(const std::vector<std::string>& arguments, Conventions conventions = Conventions::gnu)
{
    return parseCommandLine(arguments, 2026, conventions);
}

// Every field, so that each case checks that nothing else was touched.
auto fields(const CommandLine& l)
{
    const CalendarChoices& c = l.calendar;
    return std::make_tuple(l.action, l.year, l.weekendDay, l.calendarLayout, l.output, l.open, l.weekendGiven, c.paper,
                           c.landscape, c.language, c.weekStarts, c.weekNumbers, c.marksFile, c.shadeWeekends,
                           c.firstMonth, c.footer, c.noFooter, c.compress);
}

std::string joined(const std::vector<std::string>& arguments)
{
    std::string text;
    for (const std::string& argument : arguments)
        text += argument + " ";
    return text;
}

}  // namespace

// Each case: the arguments and what they change on a `pdf` line for 2026.
TEST(CommandLineTest, EveryOptionInEveryFormAndPrefix)
{
    struct Case {
        std::vector<std::string> arguments;
        std::function<void(CommandLine&)> change;
        Conventions conventions = Conventions::gnu;
    };
    const Case cases[] = {
        {{}, [](CommandLine& l) { l.action = Action::window; }},
        {{"--"}, [](CommandLine& l) { l.action = Action::window; }},
        {{"pdf"}, [](CommandLine&) {}},
        {{"pdf", "--year", "9999", "--weekend=SATURDAY", "--layout", "2", "--output=a.pdf", "--open"},
         [](CommandLine& l) {
             std::tie(l.year, l.weekendDay, l.weekendGiven, l.calendarLayout, l.output, l.open) =
                 std::make_tuple(9999, 6, true, 1, "a.pdf", true);
         }},
        {{"pdf", "-y2031", "-oa.pdf", "--layout=3"}, [](CommandLine& l) { l.year = 2031, l.output = "a.pdf"; }},
        {{"pdf", "-y", "1", "-o", "-"}, [](CommandLine& l) { l.year = 1, l.output = "-"; }},
        {{"pdf", "--output", "-o", "--"}, [](CommandLine& l) { l.output = "-o"; }},
        {{"pdf", "--paper=Letter", "--landscape", "--language", "pt_BR", "--week-starts", "6", "--week-numbers",
          "--marks", "a.ics", "--shade-weekends", "--first-month", "9", "--footer", "Año 2026", "--compress"},
         [](CommandLine& l) {
             CalendarChoices& c = l.calendar;
             std::tie(c.paper, c.landscape, c.language, c.weekStarts, c.weekNumbers, c.marksFile, c.shadeWeekends,
                      c.firstMonth, c.footer, c.compress) =
                 std::make_tuple(1, true, "pt_BR", 6, true, "a.ics", true, 9, "Año 2026", true);
         }},
        {{"pdf", "--no-footer", "--weekend", "0"}, [](CommandLine& l) { l.calendar.noFooter = l.weekendGiven = true; }},
        // Any beginning of a long option that names only it.
        {{"pdf", "--y", "2030", "--lay", "2", "--weeke=friday", "--week-n", "--out=x.pdf", "--op", "--sh", "--comp",
          "--pa", "a5", "--lands", "--langu", "de", "--fi", "3", "--foo", "x", "--ma", "m.ics"},
         [](CommandLine& l) {
             CalendarChoices& c = l.calendar;
             std::tie(l.year, l.calendarLayout, l.weekendDay, l.weekendGiven, l.output, l.open) =
                 std::make_tuple(2030, 1, 5, true, "x.pdf", true);
             std::tie(c.weekNumbers, c.shadeWeekends, c.compress, c.paper, c.landscape, c.language, c.firstMonth,
                      c.footer, c.marksFile) = std::make_tuple(true, true, true, 4, true, "de", 3, "x", "m.ics");
         }},
        {{"pdf", "--no"}, [](CommandLine& l) { l.calendar.noFooter = true; }},
        {{"text", "--week-s", "sunday", "--first-month", "12"},
         [](CommandLine& l) { l.action = Action::text, l.calendar.weekStarts = 0, l.calendar.firstMonth = 12; }},
        {{"--", "text"}, [](CommandLine& l) { l.action = Action::text; }},
        {{"text", "-y", "1999", "--weeke", "1"},
         [](CommandLine& l) { l.action = Action::text, l.year = 1999, l.weekendDay = 1, l.weekendGiven = true; }},
        // Help wherever it is asked for before "--", and nothing else then.
        {{"text", "--help"}, [](CommandLine& l) { l.action = Action::help; }},
        {{"pdf", "-y", "2031", "-h"}, [](CommandLine& l) { l.action = Action::help; }},
        {{"pdf", "--he", "--year", "0"}, [](CommandLine& l) { l.action = Action::help; }},
        {{"/?"}, [](CommandLine& l) { l.action = Action::help; }, Conventions::windows},
        {{"pdf", "-?"}, [](CommandLine& l) { l.action = Action::help; }, Conventions::windows},
        {{"text", "/HELP"}, [](CommandLine& l) { l.action = Action::help; }, Conventions::windows},
        {{"--version"}, [](CommandLine& l) { l.action = Action::version; }},
        {{"--vers"}, [](CommandLine& l) { l.action = Action::version; }},
    };
    for (const Case& c : cases) {
        CommandLine expected;
        expected.action = Action::pdf;
        expected.year = 2026;
        c.change(expected);
        const ParsedCommandLine parsed = parse(c.arguments, c.conventions);
        EXPECT_EQ(parsed.error, "") << joined(c.arguments);
        EXPECT_TRUE(fields(parsed.commandLine) == fields(expected)) << joined(c.arguments);
    }
}

TEST(CommandLineTest, BadInputNamesTheValueAndWhatIsAccepted)
{
    const std::string years = " (expected a whole number from 1 to 9999)";
    const std::string pdfOptions = " (expected --year, --weekend, --layout, --output, --open, --paper, --landscape, "
                                   "--language, --week-starts, --week-numbers, --marks, --shade-weekends, "
                                   "--first-month, --footer, --no-footer or --compress)";
    const std::string textOptions = " (expected --year, --weekend, --week-starts or --first-month)";
    const std::string commands = " (expected pdf, text, --help or --version)";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"print"}, "unknown command 'print'" + commands},
        {{"/?"}, "unknown command '/?'" + commands},
        {{"--", "--version"}, "unknown command '--version'" + commands},
        {{"--", "--help"}, "unknown command '--help'" + commands},
        {{"--version", "x"}, "unexpected argument 'x' after --version"},
        {{"pdf", "--year", "0"}, "invalid year '0'" + years},
        {{"pdf", "--year", "10000"}, "invalid year '10000'" + years},
        {{"pdf", "--year", "99999999999999999999"}, "invalid year '99999999999999999999'" + years},
        {{"pdf", "-y", "-5"}, "invalid year '-5'" + years},
        {{"pdf", "-y"}, "option '--year' needs a value" + years},
        {{"pdf", "--weekend", "7"}, "invalid weekend day '7' (expected 0..6 with 0 = Sunday, or Sunday..Saturday)"},
        {{"pdf", "--week-starts", "fri"}, "invalid first weekday 'fri' (expected 0..6 with 0 = Sunday, or Sunday..Saturday)"},
        {{"pdf", "--layout", "1"}, "invalid layout '1' (expected 3 or 2 months per row)"},
        {{"pdf", "--paper", "b5"}, "invalid paper 'b5' (expected a4, letter, legal, a3 or a5)"},
        {{"pdf", "--first-month", "13"}, "invalid first month '13' (expected 1..12)"},
        {{"pdf", "--output="}, "invalid output path '' (expected a file name)"},
        {{"pdf", "--output", "--open"}, "option '--output' needs a value (expected a file name)"},
        {{"pdf", "--open=yes"}, "option '--open' takes no value"},
        {{"pdf", "--op=yes"}, "option '--open' takes no value"},
        {{"pdf", "2010"}, "unexpected argument '2010' for 'pdf'" + pdfOptions},
        {{"pdf", "--", "--year"}, "unexpected argument '--year' for 'pdf'" + pdfOptions},
        {{"pdf", "-x"}, "unknown option '-x' for 'pdf'" + pdfOptions},
        {{"pdf", "-?"}, "unknown option '-?' for 'pdf'" + pdfOptions},
        {{"pdf", "--years=2"}, "unknown option '--years=2' for 'pdf'" + pdfOptions},
        {{"text", "-o", "a.pdf"}, "option '--output' does not apply to 'text'" + textOptions},
        {{"text", "--lay", "2"}, "option '--layout' does not apply to 'text'" + textOptions},
        {{"pdf", "--version"}, "option '--version' does not apply to 'pdf'" + pdfOptions},
        {{"pdf", "--w", "1"}, "option '--w' is ambiguous; possibilities: '--weekend' '--week-starts' '--week-numbers'"},
        {{"text", "--week=1"}, "option '--week' is ambiguous; possibilities: '--weekend' '--week-starts'"},
        {{"pdf", "--o", "a.pdf"}, "option '--o' is ambiguous; possibilities: '--output' '--open'"},
        {{"text", "--la"}, "option '--la' is ambiguous; possibilities: '--layout' '--landscape' '--language'"},
        {{"pdf", "--language", "de_de"}, "invalid language 'de_de' (expected a language code such as de, fr, pl, or "
                                          "with a territory, pt_BR)"},
        {{"pdf", "--footer", "a\tb"}, "invalid footer 'a\tb' (expected a line of text; --no-footer leaves it out)"},
        {{"pdf", "--footer", "\xff"}, "invalid footer '\xff' (expected a line of text; --no-footer leaves it out)"},
        {{"pdf", "--weekend", "0", "--week-starts", "1"},
         "options '--weekend' and '--week-starts' both choose the first day of the week (give one)"},
        {{"pdf", "--footer", "x", "--no-footer"}, "options '--footer' and '--no-footer' contradict each other (give one)"},
        {{"pdf", "--open", "-o-"}, "option '--open' needs a file; '--output -' writes to standard output"},
    };
    for (const auto& [arguments, error] : cases)
        EXPECT_EQ(parse(arguments).error, error) << joined(arguments);
    EXPECT_EQ(usageErrorText("bad"), "orvelplan: bad\nTry 'orvelplan --help' for more information.\n");
}

// Each system's help names its own folders and settings.
TEST(CommandLineTest, HelpSpeaksOfItsOwnSystem)
{
    struct Case {
        Conventions conventions;
        std::vector<std::string> present, absent;
    };
    const Case cases[] = {
        {Conventions::gnu,
         {"$XDG_DATA_HOME/orvel/orvelplan/", "LC_PAPER", "C locale", "FIFO", "orvelplan(1)", "--marks=FILE"},
         {"ProgramData", "/?", "regional"}},
        {Conventions::windows,
         {"C:\\ProgramData\\orvel\\orvelplan\\", "regional settings", "/?, -h, --help", "NUL"},
         {"LC_", "locale", "XDG", "FIFO", "orvelplan(1)", "in place"}},
    };
    for (const Case& c : cases) {
        const std::string help = usageText(c.conventions);
        EXPECT_TRUE(help.starts_with("Usage: orvelplan ")) << help;
        for (const std::string& text : c.present)
            EXPECT_NE(help.find(text), std::string::npos) << text;
        for (const std::string& text : c.absent)
            EXPECT_EQ(help.find(text), std::string::npos) << text;
    }
    EXPECT_TRUE(versionText().starts_with(std::string("orvelplan (Orvel Planner) ") + programVersion + "\n"));
}
