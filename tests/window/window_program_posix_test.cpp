// The real program run on SDL's display-less driver: the fatal box without a
// display, and the settings saved when it is asked to quit.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

#include "tests/support/program.h"

namespace {

// The window with its data folder in `folder` and SDL_VIDEODRIVER set to
// `videoDriver` (nullptr: left to SDL); given `quitSignal`, it is sent that
// once its first screen is built (that prints the text page of 2010).
struct WindowProgramTest : ProgramTest {
    ProgramRun run(const char* videoDriver, int quitSignal = 0)
    {
        // Never a real display: a message box there would wait for a click.
        return runProgram({}, folder,
                          {{"DISPLAY", nullptr}, {"WAYLAND_DISPLAY", nullptr}, {"SDL_VIDEODRIVER", videoDriver},
                           {"XDG_DATA_HOME", folder.path().c_str()}},
                          {}, signalOnceReady([&](pid_t) {
                              return quitSignal && readFile(folder.file("run.out")).find("2010") != std::string::npos;
                          }, quitSignal));
    }
    std::filesystem::path settings = folder.path() / "orvel/orvelplan/orvelplan.ini";
};

TEST_F(WindowProgramTest, WithoutAnyDisplayItShowsTheFatalBoxAndEnds)
{
    const ProgramRun chosen = run("no-such-driver");
    EXPECT_EQ(chosen.status, 3) << chosen.err;
    EXPECT_NE(chosen.err.find("Error: Main1 failed with error 3: "), std::string::npos) << chosen.err;
    // Left to choose, SDL would fall back to a driver that shows nothing.
    EXPECT_EQ(run(nullptr).status, 3);
    EXPECT_FALSE(std::filesystem::exists(settings));
}

TEST_F(WindowProgramTest, AskedToQuitItSavesTheSettingsAndEndsWithStatusZero)
{
    for (const int quitSignal : {SIGTERM, SIGINT, SIGHUP}) {
        std::filesystem::create_directories(settings.parent_path());
        writeFile(settings, "0\n0\n1\n100\n4294967288\n2015\n3\n1\n");
        EXPECT_EQ(run("dummy", quitSignal).status, 0) << strsignal(quitSignal);
        // The choices come back as restored; the dummy screen puts the window
        // where it was asked, the left edge moved back on screen.
        EXPECT_EQ(readFile(settings), "0\n0\n1\n100\n2\n2015\n3\n1\n") << strsignal(quitSignal);
    }
}

TEST_F(WindowProgramTest, SettingsThatCannotBeSavedEndItWithStatusOne)
{
    std::filesystem::create_directories(settings);
    const ProgramRun result = run("dummy", SIGTERM);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("the settings were not saved"), std::string::npos) << result.err;
}

}  // namespace
