// The settings file (read without shifting entries, written atomically) and
// start-up and shut-down: where the window opens, the fatal box, and the real
// program run on SDL's display-less driver until it is asked to quit.
#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/fatal_error.h"
#include "app/settings_file.h"
#include "app/start_position.h"
#include "tests/calendar/temporary_folder.h"

namespace {

std::string readFile(const std::filesystem::path& path)
{
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

class SettingsFileTest : public ::testing::Test {
protected:
    long filesInFolder() const { return std::distance(std::filesystem::directory_iterator(folder.path()), {}); }

    TemporaryFolder folder;
    std::string path = folder.file("orvelplan.ini");
    const SettingsEntries saved{"0", "1", "0", "120", "300", "2011", "1", "1"};
};

TEST_F(SettingsFileTest, AnyContentFillsOneEntryPerLineAndTheRestKeepTheirDefaults)
{
    const std::string empty = initialSettingsEntries()[0];
    const std::string longLine(3000, '7');
    const std::vector<std::pair<std::string, SettingsEntries>> cases = {
        {"0\r\n1\n0\r\n120\n300\r\n2011\n1\r\n1\r\n99\n98", saved},
        {"0\n1\n1", {"0", "1", "1", empty, empty, empty, empty, empty}},
        {"", initialSettingsEntries()},
        // Long lines are cut at the limit; the next line is still the next entry.
        {"1234567890123456789012345\n1\n0\n" + longLine + "\r\n300\n2011\n1\n1\n",
         {"1234567890123456789", "1", "0", longLine.substr(0, settingsLineLimit), "300", "2011", "1", "1"}},
        // Only the start of a file far larger than any settings file is read.
        {std::string(settingsFileLimit - 10, ' ') + "\n1\n2\n3\n4\n5\n6\n7\n",
         {std::string(settingsLineLimit, ' '), "1", "2", "3", "4", "5", empty, empty}},
        {"\x01\x02\xff\n" + std::string("20\0" "16\n", 6) + "abc\n  -40xyz\n\t7\n\n2016  \n\xfe\xff\n",
         {"\x01\x02\xff", std::string("20\0" "16", 5), "abc", "  -40xyz", "\t7", "", "2016  ", "\xfe\xff"}},
    };
    for (const auto& [content, expected] : cases) {
        std::ofstream(path, std::ios::binary) << content;
        SettingsEntries entries = initialSettingsEntries();
        EXPECT_TRUE(readSettingsFile(path, entries));
        EXPECT_EQ(entries, expected) << content.substr(0, 40);
    }
    SettingsEntries entries = initialSettingsEntries();
    EXPECT_FALSE(readSettingsFile(folder.file("absent.ini"), entries));
    EXPECT_FALSE(readSettingsFile("", entries));
    EXPECT_EQ(entries, initialSettingsEntries());
}

TEST_F(SettingsFileTest, AFifoOrADeviceInItsPlaceIsNeitherReadNorWrittenAndNeverBlocks)
{
    const std::string fifo = folder.file("fifo.ini");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::string> paths = {fifo, folder.file("fifo-link.ini")};
    std::filesystem::create_symlink(fifo, paths[1]);
    if (geteuid() == 0) {
        // A device that reads without end, like /dev/zero, made here.
        ASSERT_EQ(mknod(folder.file("zero").c_str(), S_IFCHR | 0666, makedev(1, 5)), 0);
        paths.push_back(folder.file("zero-link.ini"));
        std::filesystem::create_symlink(folder.file("zero"), paths.back());
    }
    for (const std::string& settings : paths) {
        const std::string errors = folder.file("errors.txt");
        const pid_t child = fork();
        if (child == 0) {
            const int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(err, STDERR_FILENO);
            SettingsEntries entries = initialSettingsEntries();
            const bool read = readSettingsFile(settings, entries);
            const std::string written = writeSettingsFile(settings, saved);
            _exit(!read && entries == initialSettingsEntries() && written.find("not a regular file") != std::string::npos ? 0 : 1);
        }
        int status = -1;
        for (int tick = 0; tick < 500 && waitpid(child, &status, WNOHANG) == 0; ++tick)
            usleep(10000);
        if (kill(child, SIGKILL) == 0 && waitpid(child, nullptr, 0) == child && status == -1)
            ADD_FAILURE() << settings << " blocked";
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << settings;
        EXPECT_EQ(readFile(errors), "orvelplan: " + settings + " is not a regular file; using the default settings\n");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink(paths[1]));
}

TEST_F(SettingsFileTest, WritingReplacesTheFileWholeOrNotAtAllAndLeavesNoTemporaryFile)
{
    std::ofstream(path) << "old content that is longer than the new one\n\n\n\n\n\n\n\n\n\n";
    ASSERT_EQ(writeSettingsFile(path, saved), "");
    EXPECT_EQ(readFile(path), "0\n1\n0\n120\n300\n2011\n1\n1\n");
    SettingsEntries loaded = initialSettingsEntries();
    ASSERT_TRUE(readSettingsFile(path, loaded));
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(filesInFolder(), 1);

    EXPECT_NE(writeSettingsFile(folder.file("no-such-folder/orvelplan.ini"), saved), "");
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);  // the rename over a folder fails
    const std::string reason = writeSettingsFile(path, saved);
    EXPECT_NE(reason.find(path), std::string::npos) << reason;
    EXPECT_EQ(filesInFolder(), 1);
}

TEST_F(SettingsFileTest, TheFileLivesInTheDataFolderWhichIsCreated)
{
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string previous = old ? old : "";
    setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
    EXPECT_EQ(settingsFilePath(), folder.path().string() + "/orvel/orvelplan/orvelplan.ini");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "orvel" / "orvelplan"));
    old ? setenv("XDG_DATA_HOME", previous.c_str(), 1) : unsetenv("XDG_DATA_HOME");
}

TEST(SettingNumber, ReadsTheLeadingNumberPinnedTo32BitsAndWritesItUnsigned)
{
    const std::vector<std::pair<std::string, int>> numbers = {
        {"42", 42}, {"  42", 42}, {"+7", 7}, {"-40", -40}, {"\t7", 7}, {"2016  ", 2016}, {"12abc", 12},
        {"", 0}, {"abc", 0}, {"\x01\x02", 0}, {std::string("20\0" "16", 5), 20}, {std::string(64, ' '), 0},
        {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"4294967288", INT_MAX}, {"-2147483649", INT_MIN},
        {"99999999999999999999999999", INT_MAX}, {"-99999999999999999999999999", INT_MIN},
    };
    for (const auto& [text, number] : numbers)
        EXPECT_EQ(settingNumber(text), number) << "'" << text << "'";
    const std::vector<std::pair<int, std::string>> texts = {
        {0, "0"}, {2016, "2016"}, {-8, "4294967288"}, {-32000, "4294935296"}, {INT_MIN, "2147483648"}};
    for (const auto& [number, text] : texts)
        EXPECT_EQ(settingText(number), text);
}

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
        if (quit && output(data).find("2010") != std::string::npos)
            quit = kill(pid, SIGTERM) != 0;  // ask once
        usleep(20000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { if (!std::getenv("ORVEL_BINARY")) GTEST_SKIP() << "set ORVEL_BINARY to the program"; }

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
