// The built program run through the shell: what it prints where, and its
// exit status.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <sys/wait.h>

namespace {

std::string slurp(std::FILE* file)
{
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += static_cast<char>(c);
    return text;
}

// Runs the built program through the shell: exit status, standard output and
// standard error, one after the other.
std::array<std::string, 3> runProgram(const std::string& arguments, const std::string& environment = "")
{
    std::FILE* err = std::tmpfile();
    const std::string command = environment + " \"$ORVEL_BINARY\" " + arguments + " 2>/dev/fd/" + std::to_string(fileno(err));
    std::FILE* pipe = popen(command.c_str(), "r");
    const std::string out = slurp(pipe);
    const int status = pclose(pipe);
    std::rewind(err);
    std::array<std::string, 3> result{std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1), out, slurp(err)};
    std::fclose(err);
    return result;
}

}  // namespace

TEST(CommandLineProcessTest, OutputStreamsAndExitStatus)
{
    if (!std::getenv("ORVEL_BINARY"))
        GTEST_SKIP() << "ORVEL_BINARY is not set";
    const auto text = runProgram("text --year 2010 --weekend monday");
    EXPECT_EQ(text[0], "0");
    EXPECT_EQ(std::count(text[1].begin(), text[1].end(), '\n'), 44);
    EXPECT_NE(text[1].find("\n   Tu We Th Fr Sa Su Mo"), std::string::npos);

    char folder[] = "/tmp/orvelplan-cli-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string base = folder;
    EXPECT_EQ(runProgram("pdf --layout 2 --output '" + base + "/year.pdf'"),
              (std::array<std::string, 3>{"0", base + "/year.pdf\n", ""}));
    EXPECT_EQ(runProgram("pdf --year 2011", "XDG_DATA_HOME='" + base + "'")[1],
              base + "/orvel/orvelplan/orvelplan0.pdf\n");
    EXPECT_EQ(runProgram("pdf --year 0 --output '" + base + "/bad.pdf'"),
              (std::array<std::string, 3>{
                  "2", "", "orvelplan: invalid year '0' (expected a whole number from 1 to 9999)\n"}));
    const auto failed = runProgram("pdf --output '" + base + "/missing/year.pdf'");
    EXPECT_EQ(failed[0], "1");
    EXPECT_EQ(failed[1], "");
    EXPECT_NE(failed[2].find("cannot write " + base + "/missing/year.pdf: No such file"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(base + "/bad.pdf"));
    std::filesystem::remove_all(base);
}
