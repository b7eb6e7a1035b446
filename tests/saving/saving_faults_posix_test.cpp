// Saving under real faults: a full disk, memory running out at every point,
// the program killed at random moments, and two copies saving at once. Each
// fault either leaves the earlier file exactly as it was or gives the whole
// new calendar, and never a temporary file beyond the killed run's own.
// The quick counts run with the other tests; ORVEL_STRESS=1 (the
// saving_stress test) runs the full ones.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <sys/mount.h>

#include "platform/app_folders.h"
#include "tests/support/environment.h"
#include "saving_support.h"

using namespace saving_test;
namespace fs = std::filesystem;

namespace {

// A tmpfs of a given size mounted on a folder inside the test's own folder,
// unmounted again however the test ends.
struct SmallDisk {
    SmallDisk(const std::string& folder, int kilobytes) : at(folder)
    {
        fs::create_directory(at);
        const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0700";
        mounted = mount("tmpfs", at.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
    }
    ~SmallDisk()
    {
        if (mounted)
            umount2(at.c_str(), MNT_DETACH);
    }
    std::string at;
    bool mounted = false;
};

}  // namespace

TEST(SavingFaultsTest, AFullDiskKeepsTheEarlierFileOrGivesTheWholeCalendar)
{
    if (!runningAsRoot())
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    const std::string pdf = calendarBytes(2012);
    const std::string old = calendarBytes(2011);
    const std::vector<int> sizes = rounds(0, 1) ? std::vector<int>{4, 8, 16, 24, 32, 36, 40, 44, 48, 56, 64, 72, 76, 80, 88, 96}
                                                : std::vector<int>{36, 40, 76};
    const CalendarRequest request(gridOf(2012), threePerRowLayoutId, nullptr);
    TemporaryFolder folder;
    int failed = 0;
    for (const int kilobytes : sizes) {
        for (const bool withOldFile : {false, true}) {
            for (const bool numbered : {false, true}) {
                const std::string disk = folder.file("disk");
                SmallDisk mount(disk, kilobytes);
                if (!mount.mounted)
                    GTEST_SKIP() << "cannot mount a tmpfs here";
                const std::string programFolderPath = disk + "/orvel/orvelplan/";
                fs::create_directories(programFolderPath);
                const std::string target = numbered ? programFolderPath + "orvelplan0.pdf" : disk + "/cal.pdf";
                // An earlier calendar that does not fit itself is no case to try.
                if (withOldFile) {
                    writeFile(target, old);
                    if (readFile(target) != old)
                        continue;
                }
                const ScopedEnvironment home("XDG_DATA_HOME", disk.c_str());
                const CalendarFile file =
                    numbered ? createCalendar(request)
                             : CalendarFile{target, saveCalendarPdf(renderCalendarPdf(request), target).error, {}};
                const std::string &error = file.error, &written = file.path;
                const std::string where = std::to_string(kilobytes) + "k, old file " + (withOldFile ? "yes" : "no");
                if (error.empty()) {
                    EXPECT_EQ(readFile(written), pdf) << where;
                } else {
                    ++failed;
                    EXPECT_NE(error.find("No space left on device"), std::string::npos) << where << ": " << error;
                    EXPECT_EQ(fs::exists(target) ? readFile(target) : "", withOldFile ? old : "") << where;
                }
                EXPECT_EQ(temporaryFilesIn(fs::path(target).parent_path()), 0) << where;
            }
        }
    }
    EXPECT_GT(failed, 0);
}

namespace {

// Allocation hooks that fail from the `failFrom`th call on.
long allocations = 0;
long failFrom = -1;

void* countingAllocate(HPDF_UINT size)
{
    if (failFrom >= 0 && allocations++ >= failFrom)
        return nullptr;
    return std::malloc(size);
}

void countingRelease(void* block)
{
    std::free(block);
}

}  // namespace

TEST(SavingFaultsTest, MemoryRunningOutAtAnyPointKeepsTheEarlierCalendar)
{
    TemporaryFolder data;
    const ScopedEnvironment home("XDG_DATA_HOME", data.path().c_str());
    const std::string folder = programFolder();
    const std::string old = calendarBytes(2011);
    CalendarRequest request(gridOf(2012), threePerRowLayoutId, nullptr);
    request.memory = {countingAllocate, countingRelease};

    failFrom = 1L << 40;
    allocations = 0;
    ASSERT_TRUE(createCalendar(request).saved());
    const long points = allocations;
    ASSERT_GT(points, 10);

    const long step = rounds(0, 1) ? 1 : 37;
    for (long point = 0; point < points; point += step) {
        writeFile(folder + "orvelplan0.pdf", old);
        failFrom = point;
        allocations = 0;
        const CalendarFile file = createCalendar(request);
        EXPECT_FALSE(file.saved()) << point;
        EXPECT_NE(file.error.find("out of memory"), std::string::npos) << point << ": " << file.error;
        EXPECT_EQ(readFile(folder + "orvelplan0.pdf"), old) << point;
        EXPECT_EQ(namesIn(folder), (std::set<std::string>{"orvelplan0.pdf"})) << point;
    }
    failFrom = -1;
}

TEST(SavingFaultsTest, AKilledSaveLeavesAtMostItsOwnTemporaryFileUntilTheNextSave)
{
    if (!programBinary())
        GTEST_SKIP() << "set ORVEL_BINARY to the program";
    TemporaryFolder logs, data, work;
    const std::string target = work.file("cal.pdf");
    const std::string programFolderPath = data.path().string() + "/orvel/orvelplan";
    const std::string old = calendarBytes(2011), pdf = calendarBytes(2012);
    // Kills fall anywhere from the start of a run to a little past its end.
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(runProgram({"pdf", "--year", "2011", "--output", work.file("timing.pdf")}, logs, data.path()).status, 0);
    const auto runTime = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
    fs::remove(work.file("timing.pdf"));
    std::mt19937 random(12);
    std::uniform_int_distribution<long> delay(0, runTime.count() * 6 / 5);

    const int kills = rounds(6, 200);
    for (int round = 0; round < kills; ++round) {
        const bool numbered = round % 2 == 1;
        const std::string written = numbered ? programFolderPath + "/orvelplan0.pdf" : target;
        const std::string folder = numbered ? programFolderPath : work.path().string();
        const std::vector<std::string> arguments =
            numbered ? std::vector<std::string>{"pdf", "--year", "2012"}
                     : std::vector<std::string>{"pdf", "--year", "2012", "--output", target};
        const int out = open(logs.file("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const pid_t pid = startProgram(arguments, data.path(), out, logs.file("err"));
        close(out);
        usleep(static_cast<useconds_t>(delay(random)));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);

        const std::string targetName = fs::path(written).filename().string();
        if (fs::exists(folder)) {
            std::set<std::string> others = namesIn(folder);
            others.erase(targetName);
            EXPECT_LE(others.size(), 1u) << round;
        }
        if (fs::exists(written)) {
            const std::string content = readFile(written);
            EXPECT_TRUE(content == old || content == pdf) << round << ": " << content.size() << " bytes";
        }
        // The next save cleans up after the killed one and leaves the old
        // calendar for the next round.
        std::vector<std::string> oldArguments = arguments;
        oldArguments[2] = "2011";
        EXPECT_EQ(runProgram(oldArguments, logs, data.path()).status, 0);
        EXPECT_EQ(namesIn(folder), std::set<std::string>{targetName}) << round;
        EXPECT_EQ(readFile(written), old);
    }
}

TEST(SavingFaultsTest, TwoCopiesSavingAtOnceNeverShareANumber)
{
    if (!programBinary())
        GTEST_SKIP() << "set ORVEL_BINARY to the program";
    TemporaryFolder logs, data;
    const std::string folder = data.path().string() + "/orvel/orvelplan/";
    fs::create_directories(folder);
    const std::string first = calendarBytes(2011), second = calendarBytes(2012);

    const int pairs = rounds(4, 200);
    for (int pair = 0; pair < pairs; ++pair) {
        writeFile(folder + "orvelplan0.pdf", "an earlier calendar");
        // Each copy prints its path into a full pipe, so it stays alive (and
        // holds its file) until both have saved.
        int pipes[2][2];
        pid_t pids[2];
        for (int copy = 0; copy < 2; ++copy) {
            ASSERT_EQ(pipe(pipes[copy]), 0);
            fcntl(pipes[copy][1], F_SETFL, O_NONBLOCK);
            const std::string filler(4096, 'f');
            while (write(pipes[copy][1], filler.data(), filler.size()) > 0) {
            }
            fcntl(pipes[copy][1], F_SETFL, 0);
        }
        for (int copy = 0; copy < 2; ++copy) {
            pids[copy] = startProgram({"pdf", "--year", copy == 0 ? "2011" : "2012"}, data.path(), pipes[copy][1],
                                      logs.file("err" + std::to_string(copy)));
            close(pipes[copy][1]);
        }
        // Both have saved once both wait to print their paths.
        const auto blockedInWrite = [](pid_t pid) {
            return readFile("/proc/" + std::to_string(pid) + "/wchan").find("pipe_write") != std::string::npos;
        };
        // Up to 30 s on a loaded machine: a copy that ends before the other has
        // saved lets go of its number, which the other may then take.
        for (int wait = 0; wait < 6000 && !(blockedInWrite(pids[0]) && blockedInWrite(pids[1])); ++wait)
            usleep(5000);
        for (int copy = 0; copy < 2; ++copy) {
            char buffer[4096];
            while (read(pipes[copy][0], buffer, sizeof buffer) > 0) {
            }
            close(pipes[copy][0]);
            EXPECT_EQ(exitStatus(pids[copy], 30), 0) << readFile(logs.file("err" + std::to_string(copy)));
        }
        // Sharing a number would leave one calendar, or one in both files. When
        // each copy finds the other's claim first, both move on and the earlier
        // calendar stays: nothing is lost that way.
        std::multiset<std::string> saved;
        for (const auto& name : namesIn(folder))
            if (const auto bytes = readFile(folder + name); bytes != "an earlier calendar")
                saved.insert(bytes);
        EXPECT_TRUE(saved == (std::multiset{first, second})) << pair << ": " << saved.size() << " calendars";
        for (const auto& name : namesIn(folder))
            fs::remove(folder + name);
    }
}
