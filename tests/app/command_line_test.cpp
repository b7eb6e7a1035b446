#include "app/command_line.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

ParsedCommandLine parse(const std::vector<std::string>& arguments, Conventions conventions = Conventions::gnu)
{
    return parseCommandLine(arguments, 2026, conventions);
}

// What differs from a `pdf` line for 2026, as "name=value" words (a set flag
// as its name alone), so that a case also sees every field it did not expect.
std::string changes(const CommandLine& l)
{
    const CalendarChoices& c = l.calendar;
    constexpr const char* actions[] = {"window", "pdf", "text", "help", "version"};
    std::string words;
    const auto put = [&words](bool differs, const char* name, const std::string& value = "") {
        if (differs)
            words.append(words.empty() ? "" : " ").append(name).append(value.empty() ? "" : "=").append(value);
    };
    put(l.action != CommandLine::Action::pdf, "action", actions[static_cast<int>(l.action)]);
    put(l.year != 2026, "year", std::to_string(l.year));
    put(l.weekendGiven || l.weekendDay != 0, "weekend", std::to_string(l.weekendDay));
    put(l.calendarLayout != 0, "layout", std::to_string(l.calendarLayout));
    put(!l.output.empty(), "output", l.output);
    put(l.open, "open");
    put(c.paper.has_value(), "paper", std::to_string(c.paper.value_or(-1)));
    put(c.landscape, "landscape");
    put(c.language.has_value(), "language", c.language ? c.language->code : "");
    put(c.weekStarts.has_value(), "starts", std::to_string(c.weekStarts.value_or(-1)));
    put(c.weekNumbers, "numbers");
    put(!c.marksFile.empty(), "marks", c.marksFile);
    put(c.shadeWeekends, "shade");
    put(c.firstMonth != 1, "month", std::to_string(c.firstMonth));
    put(c.footer.has_value(), "footer", c.footer.value_or(""));
    put(c.noFooter, "no-footer");
    put(c.compress, "compress");
    return words;
}

}  // namespace

TEST(CommandLineTest, EveryOptionInEveryFormAndPrefix)
{
    const Conventions gnu = Conventions::gnu, windows = Conventions::windows;
    const std::vector<std::tuple<std::vector<std::string>, std::string, Conventions>> cases = {
        {{}, "action=window", gnu},
        {{"pdf"}, "", gnu},
        {{"pdf", "--year", "9999", "--weekend=SATURDAY", "--layout", "2", "--output=a.pdf", "--open"},
         "year=9999 weekend=6 layout=1 output=a.pdf open", gnu},
        {{"pdf", "-y2031", "-oa.pdf", "--layout=3"}, "year=2031 output=a.pdf", gnu},
        {{"pdf", "-y", "1", "-o", "-"}, "year=1 output=-", gnu},
        {{"pdf", "--output", "-o", "--"}, "output=-o", gnu},
        {{"pdf", "--paper=Letter", "--landscape", "--language", "pt_BR", "--week-starts", "6", "--week-numbers",
          "--marks", "a.ics", "--shade-weekends", "--first-month", "9", "--footer", "Año 2026", "--compress"},
         "paper=1 landscape language=pt_BR starts=6 numbers marks=a.ics shade month=9 footer=Año 2026 compress", gnu},
        {{"pdf", "--n", "--weekend", "0"}, "weekend=0 no-footer", gnu},
        // Any beginning of a long option that names it alone.
        {{"pdf", "--y", "2030", "--lay", "2", "--weeke=friday", "--week-n", "--out=x.pdf", "--op", "--sh", "--comp",
          "--pa", "a5", "--lands", "--langu", "de", "--fi", "3", "--foo", "x", "--ma", "m.ics"},
         "year=2030 weekend=5 layout=1 output=x.pdf open paper=4 landscape language=de numbers marks=m.ics shade "
         "month=3 footer=x compress", gnu},
        {{"text", "--week-s", "sunday", "--first-month", "12"}, "action=text starts=0 month=12", gnu},
        {{"--", "text"}, "action=text", gnu},
        {{"--vers"}, "action=version", gnu},
        // Help wherever it is asked for before "--", whatever else is there.
        {{"pdf", "--he", "--year", "0"}, "action=help", gnu},
        {{"/?"}, "action=help", windows},
        {{"text", "/HELP"}, "action=help", windows},
    };
    for (const auto& [arguments, expected, conventions] : cases) {
        const ParsedCommandLine parsed = parse(arguments, conventions);
        EXPECT_EQ(parsed.error, "") << testing::PrintToString(arguments);
        EXPECT_EQ(changes(parsed.commandLine), expected) << testing::PrintToString(arguments);
    }
}

TEST(CommandLineTest, BadInputNamesTheValueAndWhatIsAccepted)
{
    const std::string years = " (expected a whole number from 1 to 9999)";
    const std::string pdfOptions = " (expected --year, --weekend, --layout, --output, --open, --paper, --landscape, "
                                   "--language, --week-starts, --week-numbers, --marks, --shade-weekends, "
                                   "--first-month, --footer, --no-footer or --compress)";
    const std::string textOptions = " (expected --year, --weekend, --language, --week-starts or --first-month)";
    const std::string commands = " (expected pdf, text, --help or --version)";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"print"}, "unknown command 'print'" + commands},
        {{"/?"}, "unknown command '/?'" + commands},
        {{"--", "--help"}, "unknown command '--help'" + commands},
        {{"pdf", "--year", "0"}, "invalid year '0'" + years},
        {{"pdf", "--year", "99999999999999999999"}, "invalid year '99999999999999999999'" + years},
        {{"pdf", "-y"}, "option '--year' needs a value" + years},
        {{"pdf", "--weekend", "7"}, "invalid weekend day '7' (expected 0..6 with 0 = Sunday, or Sunday..Saturday)"},
        {{"pdf", "--layout", "1"}, "invalid layout '1' (expected 3 or 2 months per row)"},
        {{"pdf", "--paper", "b5"}, "invalid paper 'b5' (expected a4, letter, legal, a3 or a5)"},
        {{"pdf", "--first-month", "13"}, "invalid first month '13' (expected 1..12)"},
        {{"pdf", "--output="}, "invalid output path '' (expected a file name)"},
        {{"pdf", "--output", "--open"}, "option '--output' needs a value (expected a file name)"},
        {{"pdf", "--op=yes"}, "option '--open' takes no value"},
        {{"pdf", "2010"}, "unexpected argument '2010' for 'pdf'" + pdfOptions},
        {{"pdf", "--", "--year"}, "unexpected argument '--year' for 'pdf'" + pdfOptions},
        {{"pdf", "-x"}, "unknown option '-x' for 'pdf'" + pdfOptions},
        {{"pdf", "--years=2"}, "unknown option '--years=2' for 'pdf'" + pdfOptions},
        {{"text", "--lay", "2"}, "option '--layout' does not apply to 'text'" + textOptions},
        {{"pdf", "--w", "1"}, "option '--w' is ambiguous; possibilities: '--weekend' '--week-starts' '--week-numbers'"},
        {{"text", "--week=1"}, "option '--week' is ambiguous; possibilities: '--weekend' '--week-starts'"},
        {{"pdf", "--language", "german"}, "invalid language 'german' (expected a language code such as de, pt-BR, "
                                          "zh-Hant-TW or de_DE.UTF-8 that the system has locale data for)"},
        {{"pdf", "--footer", "a\tb"}, "invalid footer 'a\tb' (expected a line of text; --no-footer leaves it out)"},
        {{"pdf", "--footer", "\xff"}, "invalid footer '\xff' (expected a line of text; --no-footer leaves it out)"},
        {{"pdf", "--weekend", "0", "--week-starts", "1"},
         "options '--weekend' and '--week-starts' both choose the first day of the week (give one)"},
        {{"pdf", "--footer", "x", "--no-footer"}, "options '--footer' and '--no-footer' contradict each other (give one)"},
        {{"pdf", "--output", "-", "--open"}, "option '--open' needs a file; '--output -' writes to standard output"},
    };
    for (const auto& [arguments, error] : cases)
        EXPECT_EQ(parse(arguments).error, error) << testing::PrintToString(arguments);
}

// Each system's help names its own folders and settings, never the other's.
TEST(CommandLineTest, HelpSpeaksOfItsOwnSystem)
{
    const std::string gnu = usageText(Conventions::gnu), windows = usageText(Conventions::windows);
    EXPECT_NE(windows.find("C:\\ProgramData\\orvel\\orvelplan\\"), std::string::npos);
    for (const char* text : {"ProgramData", "/?"})
        EXPECT_EQ(gnu.find(text), std::string::npos) << text;
    for (const char* text : {"LC_", "locale", "XDG", "FIFO", "orvelplan(1)", "in place"})
        EXPECT_EQ(windows.find(text), std::string::npos) << text;
}
