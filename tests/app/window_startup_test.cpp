// Start-up and shut-down: where the window opens, the fatal box, and the real
// program run on SDL's display-less driver until it is asked to quit.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "app/fatal_error.h"
#include "app/start_position.h"
#include "tests/calendar/temporary_folder.h"

namespace {

SettingsEntries withCorner(const char* left, const char* top)
{
    SettingsEntries entries = initialSettingsEntries();
    entries[windowLeftEntry] = left;
    entries[windowTopEntry] = top;
    return entries;
}

struct PointCase {
    const char* left;
    const char* top;
    int x;
    int y;
};

TEST(StartPosition, SavedCornerIsKeptOnScreenCoordinateByCoordinate)
{
    const ClientSize screen{1024, 740};
    const std::vector<PointCase> cases = {
        {"300", "120", 300, 120},
        {"", "", 0, 0},                 // first start: no numbers at all
        {"-40", "100", 2, 100},         // partly past the left edge
        {"4294967288", "100", 2, 100},  // -8 as saved, beyond the 32-bit range
        {"4294935296", "4294935296", 2, 2},
        {"1025", "50", 2, 50},          // saved on a wider screen
        {"1024", "740", 1024, 740},     // the limits themselves are accepted
        {"10", "741", 10, 2},
        {"abc", "7x", 0, 7},
    };
    for (const PointCase& c : cases) {
        const ScreenPoint p = startPosition(withCorner(c.left, c.top), screen);
        EXPECT_EQ(p.x, c.x) << c.left << ", " << c.top;
        EXPECT_EQ(p.y, c.y) << c.left << ", " << c.top;
    }
}

TEST(FatalError, MessageNamesTheStepTheCodeAndTheReason)
{
    EXPECT_EQ(fatalMessage("Main1", 3, "No available video device"),
              "Main1 failed with error 3: No available video device");
    const std::string longReason(5000, 'x');
    const std::string message = fatalMessage("Main2", 4, longReason);
    EXPECT_EQ(message.size(), fatalMessageCapacity - 1);
    EXPECT_EQ(message.rfind("Main2 failed with error 4: xxx", 0), 0u);
}

// The program under test: ORVEL_BINARY, or where the build puts it beside
// the tests' own folder.
std::string programPath()
{
    if (const char* binary = std::getenv("ORVEL_BINARY"); binary && binary[0])
        return binary;
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path beside = self.parent_path().parent_path() / "app" / "orvelplan";
    return !error && std::filesystem::exists(beside) ? beside.string() : std::string();
}

// The real program in a child process, with a bounded wait for everything.
class ProgramRun {
public:
    ProgramRun(const std::vector<std::pair<std::string, std::string>>& environment)
    {
        const std::string program = programPath();
        if (program.empty()) {
            skipReason = "no program to run: set ORVEL_BINARY";
            return;
        }
        const char* binary = program.c_str();
        int out[2];
        if (pipe(out) != 0) {
            skipReason = "no pipe";
            return;
        }
        pid = fork();
        if (pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            dup2(out[1], STDERR_FILENO);
            close(out[0]);
            close(out[1]);
            // Never a real display: a message box there would wait for a click.
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            for (const auto& [name, value] : environment)
                setenv(name.c_str(), value.c_str(), 1);
            execl(binary, binary, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        output = out[0];
    }
    ~ProgramRun()
    {
        if (pid > 0 && !exited) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (output >= 0)
            close(output);
    }

    // Reads output until it holds `text` or the time is up.
    bool waitForOutput(const std::string& text, std::chrono::seconds limit)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (text.empty() || collected.find(text) == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return false;
            pollfd ready{output, POLLIN, 0};
            if (poll(&ready, 1, static_cast<int>(left.count())) <= 0)
                continue;
            char buffer[4096];
            const ssize_t got = read(output, buffer, sizeof buffer);
            if (got <= 0)
                return text.empty();
            collected.append(buffer, static_cast<std::size_t>(got));
        }
        return true;
    }
    // The exit status, or -1 when the program had to be killed.
    int waitForExit(std::chrono::seconds limit)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                exited = true;
                waitForOutput("", std::chrono::seconds(2));
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            usleep(20000);
        }
        return -1;
    }
    void quit() { kill(pid, SIGTERM); }

    std::string skipReason;
    std::string collected;

private:
    pid_t pid = -1;
    int output = -1;
    bool exited = false;
};

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

TEST(Program, WithoutAnyDisplayItShowsTheFatalBoxAndEnds)
{
    TemporaryFolder data;
    ProgramRun run({{"SDL_VIDEODRIVER", "no-such-driver"}, {"XDG_DATA_HOME", data.path().string()}});
    if (!run.skipReason.empty())
        GTEST_SKIP() << run.skipReason;
    EXPECT_EQ(run.waitForExit(std::chrono::seconds(30)), 3) << run.collected;
    EXPECT_NE(run.collected.find("Error: Main1 failed with error 3: "), std::string::npos) << run.collected;
    EXPECT_FALSE(std::filesystem::exists(data.path() / "orvel/orvelplan/orvelplan.ini"));
}

TEST(Program, AskedToQuitItSavesTheSettingsAndEndsWithStatusZero)
{
    TemporaryFolder data;
    const std::filesystem::path folder = data.path() / "orvel/orvelplan";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "orvelplan.ini") << "0\n0\n1\n100\n4294967288\n2015\n3\n1\n";
    ProgramRun run({{"SDL_VIDEODRIVER", "dummy"}, {"XDG_DATA_HOME", data.path().string()}});
    if (!run.skipReason.empty())
        GTEST_SKIP() << run.skipReason;
    // The first build of the screen prints the text page of 2010.
    ASSERT_TRUE(run.waitForOutput("2010", std::chrono::seconds(30))) << run.collected;
    run.quit();
    EXPECT_EQ(run.waitForExit(std::chrono::seconds(30)), 0) << run.collected;
    // The choices come back as they were restored; the dummy screen puts the
    // window where it was asked, the left edge moved back on screen.
    EXPECT_EQ(readFile((folder / "orvelplan.ini").string()), "0\n0\n1\n100\n2\n2015\n3\n1\n");
}

TEST(Program, SettingsThatCannotBeSavedEndItWithStatusOne)
{
    TemporaryFolder data;
    const std::filesystem::path folder = data.path() / "orvel/orvelplan";
    std::filesystem::create_directories(folder / "orvelplan.ini");
    ProgramRun run({{"SDL_VIDEODRIVER", "dummy"}, {"XDG_DATA_HOME", data.path().string()}});
    if (!run.skipReason.empty())
        GTEST_SKIP() << run.skipReason;
    ASSERT_TRUE(run.waitForOutput("2010", std::chrono::seconds(30))) << run.collected;
    run.quit();
    EXPECT_EQ(run.waitForExit(std::chrono::seconds(30)), 1) << run.collected;
    EXPECT_NE(run.collected.find("the settings were not saved"), std::string::npos) << run.collected;
}

}  // namespace
