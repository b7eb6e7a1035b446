#include "calendar/calendar_document.h"
#include "calendar/calendar_grid.h"
#include "calendar/output_path.h"
#include "pdf_content.h"
#include "platform/app_folders.h"
#include "platform/open_external.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnvironment() { old_.empty() ? unsetenv(name_) : setenv(name_, old_.c_str(), 1); }

private:
    const char* name_;
    std::string old_;
};

const CalendarTextGrid& grid2010()
{
    static CalendarTextGrid grid;
    grid.setYearAndWeekendDay(2010, 0);
    grid.layOut();
    return grid;
}

std::string captured(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += static_cast<char>(c);
    return text;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(OutputPathTest, ReusesTheFirstNameThatCanBeCleared)
{
    TemporaryFolder folder;
    const std::string base = folder.path().string() + "/";
    EXPECT_EQ(chooseOutputPath(base), base + "orvelplan0.pdf");

    std::ofstream(base + "orvelplan0.pdf") << "an earlier calendar";
    EXPECT_EQ(chooseOutputPath(base), base + "orvelplan0.pdf");
    EXPECT_FALSE(fs::exists(base + "orvelplan0.pdf"));

    // A name that survives the delete (here a folder) is passed over.
    fs::create_directories(base + "orvelplan0.pdf/kept");
    EXPECT_EQ(chooseOutputPath(base), base + "orvelplan1.pdf");
    EXPECT_TRUE(fs::exists(base + "orvelplan0.pdf/kept"));
}

TEST(OutputPathTest, FallsBackToTheLastNameWhenAllAreTaken)
{
    TemporaryFolder folder;
    const std::string base = folder.path().string() + "/";
    for (int n = 0; n < 100; ++n)
        fs::create_directories(base + "orvelplan" + std::to_string(n) + ".pdf/kept");
    EXPECT_EQ(chooseOutputPath(base), base + "orvelplan99.pdf");
    EXPECT_EQ(chooseOutputPath(""), "");
}

TEST(ProgramFolderTest, FollowsTheDataHomeAndIsCreated)
{
    TemporaryFolder folder;
    {
        ScopedEnvironment dataHome("XDG_DATA_HOME", folder.path().c_str());
        EXPECT_EQ(programFolder(), folder.path().string() + "/orvel/orvelplan/");
        EXPECT_TRUE(fs::is_directory(folder.path() / "orvel/orvelplan"));
    }
    {
        ScopedEnvironment relative("XDG_DATA_HOME", "relative/data");
        ScopedEnvironment home("HOME", folder.path().c_str());
        EXPECT_EQ(programFolder(), folder.path().string() + "/.local/share/orvel/orvelplan/");
    }
    ScopedEnvironment noDataHome("XDG_DATA_HOME", nullptr);
    ScopedEnvironment noHome("HOME", nullptr);
    EXPECT_EQ(programFolder(), "");
    EXPECT_FALSE(createCalendar(grid2010(), threePerRowLayoutId, false, stderr).saved());
}

TEST(CalendarDocumentTest, CreateCalendarWritesAndReusesTheFirstFile)
{
    TemporaryFolder folder;
    ScopedEnvironment dataHome("XDG_DATA_HOME", folder.path().c_str());
    const CalendarFile first = createCalendar(grid2010(), threePerRowLayoutId, false, stderr);
    ASSERT_TRUE(first.saved()) << first.error;
    EXPECT_EQ(first.path, folder.path().string() + "/orvel/orvelplan/orvelplan0.pdf");
    EXPECT_EQ(readPlacements(first.path).size(), 1610u);
    const CalendarFile second = createCalendar(grid2010(), twoPerRowLayoutId, false, stderr);
    EXPECT_EQ(second.path, first.path);
    EXPECT_EQ(fs::directory_iterator(folder.path() / "orvel/orvelplan")->path().filename(), "orvelplan0.pdf");
}

TEST(CalendarDocumentTest, FailedSaveReportsOnceAndLeavesNothing)
{
    TemporaryFolder folder;
    std::FILE* diagnostics = std::tmpfile();
    const std::string missing = folder.file("missing/calendar.pdf");
    EXPECT_EQ(createCalendarPdf(missing, grid2010(), threePerRowLayoutId, diagnostics),
              "cannot write " + missing + ": No such file or directory");
    EXPECT_EQ(captured(diagnostics), "ERROR: error_no=1017, detail_no=2\n");
    std::fclose(diagnostics);
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST(CalendarDocumentTest, ExistingTargetIsReplacedOnlyByACompleteCalendar)
{
    TemporaryFolder folder;
    const std::string target = folder.file("calendar.pdf");
    std::ofstream(target) << "old";
    ASSERT_EQ(createCalendarPdf(target, grid2010(), twoPerRowLayoutId, stderr), "");
    const std::string pdf = readFile(target);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);

    // A target that cannot be replaced keeps what it holds, and no temporary
    // file is left beside it.
    const std::string folderTarget = folder.file("taken.pdf");
    fs::create_directories(folderTarget + "/inside");
    EXPECT_NE(createCalendarPdf(folderTarget, grid2010(), threePerRowLayoutId, stderr), "");
    EXPECT_TRUE(fs::exists(folderTarget + "/inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

TEST(OpenExternalTest, LaunchesTheDesktopOpenerWithoutWaiting)
{
    TemporaryFolder folder;
    const std::string log = folder.file("opened.log");
    const std::string fake = folder.file("xdg-open");
    std::ofstream(fake) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << log << "'\n";
    fs::permissions(fake, fs::perms::owner_all);
    ScopedEnvironment path("PATH", folder.path().c_str());

    EXPECT_EQ(openWithDefaultApplication("/tmp/some calendar.pdf"), "");
    EXPECT_EQ(openWithDefaultApplication("-odd.pdf"), "");
    std::string opened;
    for (int i = 0; i < 500 && opened.find("-odd") == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        opened = readFile(log);
    }
    EXPECT_NE(opened.find("/tmp/some calendar.pdf\n"), std::string::npos);
    EXPECT_NE(opened.find("./-odd.pdf\n"), std::string::npos);

    ScopedEnvironment nowhere("PATH", folder.file("nothing-here").c_str());
    EXPECT_EQ(openWithDefaultApplication("/tmp/x.pdf"), "cannot start xdg-open: No such file or directory");
}
