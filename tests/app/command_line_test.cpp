#include "app/command_line.h"
#include "app/version.h"

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

namespace {

ParsedCommandLine parse(std::vector<std::string> arguments)
{
    return parseCommandLine(arguments, 2026);
}

}  // namespace

TEST(CommandLineTest, DefaultsAndValues)
{
    EXPECT_EQ(parse({}).commandLine.action, CommandLine::Action::window);
    const CommandLine pdf = parse({"pdf"}).commandLine;
    EXPECT_EQ(std::tie(pdf.year, pdf.weekendDay, pdf.calendarLayout, pdf.open), std::make_tuple(2026, 0, 0, false));

    const auto full = parse({"pdf", "--year", "9999", "--weekend=SATURDAY", "--layout", "2", "--output=a.pdf", "--open"});
    const CommandLine& line = full.commandLine;
    EXPECT_EQ(full.error, "");
    EXPECT_EQ(std::tie(line.year, line.weekendDay, line.calendarLayout, line.output, line.open),
              std::make_tuple(9999, 6, 1, std::string("a.pdf"), true));
    EXPECT_EQ(parse({"text", "--help"}).commandLine.action, CommandLine::Action::help);

    const auto calendar = parse({"pdf", "--paper=Letter", "--landscape", "--language", "pt_BR", "--week-starts", "6",
                                 "--week-numbers", "--marks", "a.ics", "--shade-weekends", "--first-month", "9",
                                 "--footer", "Año 2026", "--compress"});
    const CalendarChoices& c = calendar.commandLine.calendar;
    EXPECT_EQ(calendar.error, "");
    EXPECT_EQ(std::tie(c.paper, c.landscape, c.language, c.weekStarts, c.weekNumbers, c.marksFile, c.shadeWeekends,
                       c.firstMonth, c.footer, c.noFooter, c.compress),
              std::make_tuple(std::optional<int>(1), true, std::optional<ChosenLanguage>({"pt_BR", "pt", "BR"}), std::optional<int>(6),
                              true, std::string("a.ics"), true, 9, std::optional<std::string>("Año 2026"), false, true));
    const auto text = parse({"text", "--week-starts", "sunday", "--first-month", "12"});
    EXPECT_EQ(std::tie(text.error, text.commandLine.calendar.weekStarts, text.commandLine.calendar.firstMonth),
              std::make_tuple(std::string(), std::optional<int>(0), 12));
}

TEST(CommandLineTest, BadInputNamesTheValueAndWhatIsAccepted)
{
    const std::string years = " (expected a whole number from 1 to 9999)";
    const std::string pdfOptions = " (expected --year, --weekend, --layout, --output, --open, --paper, --landscape, "
                                   "--language, --week-starts, --week-numbers, --marks, --shade-weekends, "
                                   "--first-month, --footer, --no-footer or --compress)";
    const std::string textOptions = " (expected --year, --weekend, --week-starts or --first-month)";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"print"}, "unknown command 'print' (expected pdf, text, --help or --version)"},
        {{"pdf", "--year", "0"}, "invalid year '0'" + years},
        {{"pdf", "--year", "10000"}, "invalid year '10000'" + years},
        {{"pdf", "--year", " -5"}, "invalid year ' -5'" + years},
        {{"pdf", "--year", "99999999999999999999"}, "invalid year '99999999999999999999'" + years},
        {{"pdf", "--weekend", "7"}, "invalid weekend day '7' (expected 0..6 with 0 = Sunday, or Sunday..Saturday)"},
        {{"pdf", "--layout", "1"}, "invalid layout '1' (expected 3 or 2 months per row)"},
        {{"pdf", "--output="}, "invalid output path '' (expected a file name)"},
        {{"pdf", "--output", "--open"}, "option '--output' needs a value (expected a file name)"},
        {{"pdf", "--open=yes"}, "option '--open' takes no value"},
        {{"pdf", "2010"}, "unexpected argument '2010' for 'pdf'" + pdfOptions},
        {{"pdf", "--", "--year"}, "unexpected argument '--year' for 'pdf'" + pdfOptions},
        {{"pdf", "-x"}, "unknown option '-x' for 'pdf'" + pdfOptions},
        {{"pdf", "-y"}, "option '--year' needs a value (expected a whole number from 1 to 9999)"},
        {{"pdf", "-y", "-5"}, "invalid year '-5' (expected a whole number from 1 to 9999)"},
        {{"text", "-o", "a.pdf"}, "option '--output' does not apply to 'text'" + textOptions},
        {{"--", "--version"}, "unknown command '--version' (expected pdf, text, --help or --version)"},
        {{"text", "--layout", "2"}, "option '--layout' does not apply to 'text'" + textOptions},
        {{"pdf", "--language", "de_de"}, "invalid language 'de_de' (expected a language code such as de, fr, pl, or "
                                          "with a territory, pt_BR)"},
        {{"pdf", "--footer", "a\tb"}, "invalid footer 'a\tb' (expected a line of text; --no-footer leaves it out)"},
        {{"pdf", "--footer", "\xff"}, "invalid footer '\xff' (expected a line of text; --no-footer leaves it out)"},
    };
    for (const auto& [arguments, error] : cases)
        EXPECT_EQ(parse(arguments).error, error) << arguments.back();
}

// The GNU forms: one-letter options with the value apart or attached, "--"
// ending the options, help wherever it is asked for before "--".
TEST(CommandLineTest, ShortOptionsAndEndOfOptions)
{
    struct Case {
        std::vector<std::string> arguments;
        CommandLine::Action action;
        int year;
        std::string output;
    };
    const std::vector<Case> cases = {
        {{"pdf", "-y", "2031", "-o", "a.pdf"}, CommandLine::Action::pdf, 2031, "a.pdf"},
        {{"pdf", "-y2031", "-oa.pdf"}, CommandLine::Action::pdf, 2031, "a.pdf"},
        {{"pdf", "-o", "-"}, CommandLine::Action::pdf, 2026, "-"},
        {{"pdf", "--output", "-o"}, CommandLine::Action::pdf, 2026, "-o"},
        {{"pdf", "-y", "2031", "--"}, CommandLine::Action::pdf, 2031, ""},
        {{"text", "-y", "1999"}, CommandLine::Action::text, 1999, ""},
        {{"--", "text"}, CommandLine::Action::text, 2026, ""},
        {{"--"}, CommandLine::Action::window, 2026, ""},
        {{"pdf", "-y", "2031", "-h"}, CommandLine::Action::help, 2026, ""},
        {{"--version"}, CommandLine::Action::version, 2026, ""},
    };
    for (const Case& c : cases) {
        const ParsedCommandLine parsed = parse(c.arguments);
        EXPECT_EQ(parsed.error, "") << c.arguments.back();
        EXPECT_EQ(std::tie(parsed.commandLine.action, parsed.commandLine.year, parsed.commandLine.output),
                  std::tie(c.action, c.year, c.output))
            << c.arguments.back();
    }
}

TEST(CommandLineTest, HelpAndVersionTexts)
{
    EXPECT_TRUE(std::string_view(usageText()).starts_with("Usage: orvelplan "));
    const std::string version = versionText();
    EXPECT_TRUE(version.starts_with(std::string("orvelplan (Orvel Planner) ") + programVersion + "\n")) << version;
    EXPECT_NE(version.find("\nCopyright (c) 2026 The Orvel Planner developers\nLicense zlib"), std::string::npos)
        << version;
}
