#include "app/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>

namespace {

ParsedCommandLine parse(std::vector<std::string> arguments)
{
    return parseCommandLine(arguments, 2026);
}

struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string slurp(std::FILE* file)
{
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += static_cast<char>(c);
    return text;
}

// Runs the built program through the shell with both streams captured;
// status -1 when the program's path is not known.
ProcessResult runProgram(const std::string& arguments, const std::string& environment = "")
{
    const char* binary = std::getenv("ORVEL_BINARY");
    if (!binary)
        return {};
    std::FILE* err = std::tmpfile();
    const std::string command = environment + " '" + binary + "' " + arguments + " 2>/dev/fd/" + std::to_string(fileno(err));
    std::FILE* pipe = popen(command.c_str(), "r");
    ProcessResult result;
    result.out = slurp(pipe);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::rewind(err);
    result.err = slurp(err);
    std::fclose(err);
    return result;
}

}  // namespace

TEST(CommandLineTest, DefaultsAndValues)
{
    EXPECT_EQ(parse({}).commandLine.action, CommandLine::Action::window);

    const auto pdf = parse({"pdf"});
    EXPECT_EQ(pdf.error, "");
    EXPECT_EQ(pdf.commandLine.year, 2026);
    EXPECT_EQ(pdf.commandLine.weekendDay, 0);
    EXPECT_EQ(pdf.commandLine.calendarLayout, 0);
    EXPECT_FALSE(pdf.commandLine.open);

    const auto full = parse({"pdf", "--year", "9999", "--weekend=SATURDAY", "--layout", "2", "--output=a.pdf", "--open"});
    EXPECT_EQ(full.error, "");
    EXPECT_EQ(full.commandLine.year, 9999);
    EXPECT_EQ(full.commandLine.weekendDay, 6);
    EXPECT_EQ(full.commandLine.calendarLayout, 1);
    EXPECT_EQ(full.commandLine.output, "a.pdf");
    EXPECT_TRUE(full.commandLine.open);

    EXPECT_EQ(parse({"text", "--weekend", "3", "--year=1"}).commandLine.weekendDay, 3);
    EXPECT_EQ(parse({"text", "--help"}).commandLine.action, CommandLine::Action::help);
    EXPECT_EQ(parse({"--version"}).commandLine.action, CommandLine::Action::version);
}

TEST(CommandLineTest, BadInputNamesTheValueAndWhatIsAccepted)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"print"}, "unknown command 'print' (expected pdf, text, --help or --version)"},
        {{"pdf", "--year", "0"}, "invalid year '0' (expected a whole number from 1 to 9999)"},
        {{"pdf", "--year", "10000"}, "invalid year '10000' (expected a whole number from 1 to 9999)"},
        {{"pdf", "--year", "-5"}, "invalid year '-5' (expected a whole number from 1 to 9999)"},
        {{"pdf", "--year", " 2010"}, "invalid year ' 2010' (expected a whole number from 1 to 9999)"},
        {{"pdf", "--year", "99999999999999999999"},
         "invalid year '99999999999999999999' (expected a whole number from 1 to 9999)"},
        {{"pdf", "--weekend", "7"}, "invalid weekend day '7' (expected 0..6 with 0 = Sunday, or Sunday..Saturday)"},
        {{"pdf", "--weekend", "Sun"}, "invalid weekend day 'Sun' (expected 0..6 with 0 = Sunday, or Sunday..Saturday)"},
        {{"pdf", "--layout", "1"}, "invalid layout '1' (expected 3 or 2 months per row)"},
        {{"pdf", "--output="}, "invalid output path '' (expected a file name)"},
        {{"pdf", "--year"}, "option '--year' needs a value"},
        {{"pdf", "--output", "--open"}, "option '--output' needs a value"},
        {{"pdf", "--open=yes"}, "option '--open' takes no value"},
        {{"pdf", "--colour"}, "unknown option '--colour' for 'pdf'"},
        {{"pdf", "2010"}, "unknown option '2010' for 'pdf'"},
        {{"text", "--layout", "2"}, "option '--layout' does not apply to 'text'"},
        {{"--version", "x"}, "unexpected argument 'x' after --version"},
    };
    for (const auto& [arguments, error] : cases)
        EXPECT_EQ(parse(arguments).error, error) << arguments.back();
}

TEST(CommandLineProcessTest, TextPrintsExactlyThePage)
{
    const auto result = runProgram("text --year 2010 --weekend monday");
    if (result.status == -1)
        GTEST_SKIP() << "ORVEL_BINARY is not set";
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 44);
    EXPECT_NE(result.out.find("\n   Tu We Th Fr Sa Su Mo"), std::string::npos);
}

TEST(CommandLineProcessTest, PdfPrintsOnlyThePathAndFailsCleanly)
{
    char folder[] = "/tmp/orvelplan-cli-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string target = std::string(folder) + "/year.pdf";

    const auto written = runProgram("pdf --year 2016 --layout 2 --output '" + target + "'");
    if (written.status == -1)
        GTEST_SKIP() << "ORVEL_BINARY is not set";
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.out, target + "\n");
    EXPECT_EQ(written.err, "");
    EXPECT_TRUE(std::filesystem::is_regular_file(target));

    const auto defaultFolder = runProgram("pdf --year 2011", std::string("XDG_DATA_HOME='") + folder + "'");
    EXPECT_EQ(defaultFolder.status, 0);
    EXPECT_EQ(defaultFolder.out, std::string(folder) + "/orvel/orvelplan/orvelplan0.pdf\n");

    const auto bad = runProgram("pdf --year 0 --output '" + std::string(folder) + "/bad.pdf'");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "orvelplan: invalid year '0' (expected a whole number from 1 to 9999)\n");

    const std::string unwritable = std::string(folder) + "/missing/year.pdf";
    const auto failed = runProgram("pdf --output '" + unwritable + "'");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_NE(failed.err.find("cannot write " + unwritable + ": No such file or directory"), std::string::npos);

    std::filesystem::remove_all(folder);
    EXPECT_FALSE(std::filesystem::exists(std::string(folder) + "/bad.pdf"));
}
