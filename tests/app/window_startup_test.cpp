// Start-up and shut-down: where the window opens, the fatal box, and the real
// program run on SDL's display-less driver until it is asked to quit.
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "app/fatal_error.h"
#include "app/start_position.h"
#include "tests/calendar/temporary_folder.h"

namespace {

TEST(StartPosition, SavedCornerIsKeptOnScreenCoordinateByCoordinate)
{
    const std::vector<std::tuple<const char*, const char*, int, int>> cases = {
        {"300", "120", 300, 120}, {"", "", 0, 0}, {"1024", "740", 1024, 740}, {"abc", "7x", 0, 7},
        // Off the screen, also negatives saved as 32-bit patterns: 2 instead.
        {"-40", "100", 2, 100}, {"4294967288", "100", 2, 100}, {"4294935296", "4294935296", 2, 2},
        {"1025", "50", 2, 50}, {"10", "741", 10, 2},
    };
    for (const auto& [left, top, x, y] : cases) {
        SettingsEntries entries = initialSettingsEntries();
        entries[windowLeftEntry] = left;
        entries[windowTopEntry] = top;
        const ScreenPoint p = startPosition(entries, {1024, 740});
        EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(x, y)) << left << ", " << top;
    }
}

TEST(FatalError, ALongReasonIsCutToFitTheMessage)
{
    EXPECT_EQ(fatalMessage("Main2", 4, std::string(5000, 'x')),
              "Main2 failed with error 4: " + std::string(fatalMessageCapacity - 28, 'x'));
}

std::string readFile(const std::filesystem::path& path)
{
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

std::string output(const TemporaryFolder& data) { return readFile(data.file("output.txt")); }

// Runs the real program (ORVEL_BINARY) with its data folder in `data`, its
// output in output.txt there, SDL_VIDEODRIVER set to `videoDriver` (nullptr:
// left to SDL). When `quit` is set it is asked to quit once its
// first screen is built (that prints the text page of 2010). Gives the exit
// status, or -1 when it did not end by itself within 30 seconds.
int runProgram(const TemporaryFolder& data, const char* videoDriver, bool quit)
{
    const char* binary = std::getenv("ORVEL_BINARY");
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(data.file("output.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        // Never a real display: a message box there would wait for a click.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        videoDriver ? setenv("SDL_VIDEODRIVER", videoDriver, 1) : unsetenv("SDL_VIDEODRIVER");
        setenv("XDG_DATA_HOME", data.path().c_str(), 1);
        execl(binary, binary, static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int tick = 0; tick < 1500; ++tick) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (quit && output(data).find("2010") != std::string::npos) {
            kill(pid, SIGTERM);
            quit = false;
        }
        usleep(20000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("ORVEL_BINARY"))
            GTEST_SKIP() << "no program to run: set ORVEL_BINARY";
    }

    TemporaryFolder data;
    std::filesystem::path settings = data.path() / "orvel/orvelplan/orvelplan.ini";
};

TEST_F(ProgramTest, WithoutAnyDisplayItShowsTheFatalBoxAndEnds)
{
    EXPECT_EQ(runProgram(data, "no-such-driver", false), 3) << output(data);
    EXPECT_NE(output(data).find("Error: Main1 failed with error 3: "), std::string::npos) << output(data);
    // Left to choose, SDL would fall back to a driver that shows nothing.
    EXPECT_EQ(runProgram(data, nullptr, false), 3) << output(data);
    EXPECT_FALSE(std::filesystem::exists(settings));
}

TEST_F(ProgramTest, AskedToQuitItSavesTheSettingsAndEndsWithStatusZero)
{
    std::filesystem::create_directories(settings.parent_path());
    std::ofstream(settings) << "0\n0\n1\n100\n4294967288\n2015\n3\n1\n";
    EXPECT_EQ(runProgram(data, "dummy", true), 0) << output(data);
    // The choices come back as restored; the dummy screen puts the window
    // where it was asked, the left edge moved back on screen.
    EXPECT_EQ(readFile(settings), "0\n0\n1\n100\n2\n2015\n3\n1\n");
}

TEST_F(ProgramTest, SettingsThatCannotBeSavedEndItWithStatusOne)
{
    std::filesystem::create_directories(settings);
    EXPECT_EQ(runProgram(data, "dummy", true), 1) << output(data);
    EXPECT_NE(output(data).find("the settings were not saved"), std::string::npos) << output(data);
}

}  // namespace
