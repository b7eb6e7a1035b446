// The real program run on SDL's display-less driver: the fatal box without a
// display, and the settings saved when it is asked to quit.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>

#include "tests/support/program.h"

namespace {

std::string output(const TemporaryFolder& data) { return readFile(data.file("output.txt")); }

// Runs the real program with its data folder in `data`, its output in
// output.txt there, SDL_VIDEODRIVER set to `videoDriver` (nullptr: left to
// SDL). When `quit` is set it is sent `quitSignal` once its first screen is
// built (that prints the text page of 2010). Gives the exit status, or -1 when
// it did not end by itself within 30 seconds.
int runProgram(const TemporaryFolder& data, const char* videoDriver, bool quit, int quitSignal = SIGTERM)
{
    // The page of an earlier run must not pass for this one's.
    std::filesystem::remove(data.file("output.txt"));
    const int out = open(data.file("output.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::string cache = (data.path() / "cache").string();
    // Never a real display: a message box there would wait for a click.
    const pid_t pid = spawnProgram({}, out, out,
                                   {{"DISPLAY", nullptr}, {"WAYLAND_DISPLAY", nullptr}, {"SDL_VIDEODRIVER", videoDriver},
                                    {"XDG_DATA_HOME", data.path().c_str()}, {"XDG_CACHE_HOME", cache.c_str()}});
    close(out);
    return exitStatus(pid, 30, [&] {
        if (quit && output(data).find("2010") != std::string::npos)
            quit = kill(pid, quitSignal) != 0;  // ask once
    });
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { if (!programBinary()) GTEST_SKIP() << "set ORVEL_BINARY to the program"; }

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
    for (const int quitSignal : {SIGTERM, SIGINT, SIGHUP}) {
        std::filesystem::create_directories(settings.parent_path());
        writeFile(settings, "0\n0\n1\n100\n4294967288\n2015\n3\n1\n");
        EXPECT_EQ(runProgram(data, "dummy", true, quitSignal), 0) << strsignal(quitSignal) << ": " << output(data);
        // The choices come back as restored; the dummy screen puts the window
        // where it was asked, the left edge moved back on screen.
        EXPECT_EQ(readFile(settings), "0\n0\n1\n100\n2\n2015\n3\n1\n") << strsignal(quitSignal);
    }
}

TEST_F(ProgramTest, SettingsThatCannotBeSavedEndItWithStatusOne)
{
    std::filesystem::create_directories(settings);
    EXPECT_EQ(runProgram(data, "dummy", true), 1) << output(data);
    EXPECT_NE(output(data).find("the settings were not saved"), std::string::npos) << output(data);
}

}  // namespace
