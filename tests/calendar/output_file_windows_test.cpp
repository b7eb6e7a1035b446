// Windows: a calendar a viewer holds open cannot be replaced, so the next
// number is taken; two copies never share a number; devices are written into.
#include "calendar/calendar_document.h"
#include "calendar/output_path.h"
#include "output_file_test_support.h"
#include "platform/file_save.h"
#include "platform/open_external.h"
#include "platform/small_file.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

long filesIn(const TemporaryFolder& folder)
{
    return std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator());
}

}  // namespace

TEST(OutputPathTest, ACalendarHeldOpenKeepsItsNameAndItsContent)
{
    TemporaryFolder folder;
    const std::string base = (folder.path() / "").string();
    std::ofstream(base + "orvelplan0.pdf") << "shown in a viewer";
    {
        std::ifstream viewer(base + "orvelplan0.pdf");
        ClaimResult claimed = saveUnderFreeOutputPath(base, "new calendar");
        EXPECT_EQ(claimed.path, base + "orvelplan1.pdf") << claimed.error;
        claimed.file.release();
        EXPECT_EQ(readFile(base + "orvelplan0.pdf"), "shown in a viewer");

        // Saving over the held file fails and leaves it as it was, with no temporary file.
        EXPECT_NE(createCalendarPdf(CalendarRequest(grid2010(), threePerRowLayoutId, stderr), base + "orvelplan0.pdf").error, "");
        EXPECT_EQ(readFile(base + "orvelplan0.pdf"), "shown in a viewer");
        EXPECT_EQ(filesIn(folder), 2);
    }
    // Let go, the earlier calendar is replaced by the whole new one.
    ClaimResult again = saveUnderFreeOutputPath(base, "newer calendar");
    EXPECT_EQ(again.path, base + "orvelplan0.pdf");
    EXPECT_EQ(readFile(base + "orvelplan0.pdf"), "newer calendar");
}

TEST(OutputPathTest, ANameHeldByThisProgramIsNotTakenAgainUntilLetGo)
{
    TemporaryFolder folder;
    const std::string base = (folder.path() / "").string();
    ClaimResult first = saveUnderFreeOutputPath(base, "first");
    ClaimResult second = saveUnderFreeOutputPath(base, "second");
    EXPECT_EQ(first.path, base + "orvelplan0.pdf");
    EXPECT_EQ(second.path, base + "orvelplan1.pdf");
    // What could not be told to anyone is taken away again.
    second.file.discard();
    EXPECT_FALSE(fs::exists(base + "orvelplan1.pdf"));
    first.file.release();
    EXPECT_EQ(saveUnderFreeOutputPath(base, "third").path, base + "orvelplan0.pdf");
    EXPECT_EQ(readFile(base + "orvelplan0.pdf"), "third");
}

TEST(FileSaveTest, FilesAreReplacedWholeFoldersRefusedDevicesWrittenInto)
{
    TemporaryFolder folder;
    const std::string target = folder.file("settings.ini");
    std::ofstream(target) << "old content, longer than the new";
    ASSERT_EQ(writeFileAtomically(target, "0\r\n1\r\n", SpecialTarget::refuse).error, "");
    EXPECT_EQ(readFile(target), "0\r\n1\r\n");

    fs::create_directory(folder.file("folder.pdf"));
    EXPECT_EQ(writeFileAtomically(folder.file("folder.pdf"), "x", SpecialTarget::writeInPlace).error,
              "cannot write " + folder.file("folder.pdf") + ": it is a folder");
    EXPECT_EQ(writeFileAtomically("NUL", "into the device", SpecialTarget::writeInPlace).error, "");
    EXPECT_EQ(writeFileAtomically("NUL", "x", SpecialTarget::refuse).error, "cannot write NUL: not a regular file");
    EXPECT_EQ(filesIn(folder), 2);

    // A temporary file of a process that is gone is removed by the next save.
    std::ofstream(folder.file(".orvelplan-4000000000-0.tmp")) << "left by a killed run";
    ASSERT_EQ(writeFileAtomically(target, "again", SpecialTarget::refuse).error, "");
    EXPECT_EQ(filesIn(folder), 2);
}

TEST(SmallFileTest, ReadsAtMostTheLimitAndNeverADevice)
{
    TemporaryFolder folder;
    std::ofstream(folder.file("settings.ini")) << "0123456789";
    const SmallFileRead read = readSmallFile(folder.file("settings.ini"), 4);
    EXPECT_EQ(read.outcome, SmallFileRead::Outcome::read);
    EXPECT_EQ(read.content, "0123");
    EXPECT_EQ(readSmallFile(folder.file("absent.ini"), 4).outcome, SmallFileRead::Outcome::missing);
    EXPECT_EQ(readSmallFile("NUL", 4).outcome, SmallFileRead::Outcome::notRegular);
    EXPECT_EQ(readSmallFile(folder.path().string(), 4).outcome, SmallFileRead::Outcome::notRegular);
}

TEST(OpenExternalTest, AMissingFileIsReported)
{
    TemporaryFolder folder;
    const std::string missing = folder.file("missing.pdf");
    const std::string error = openWithDefaultApplication(missing);
    EXPECT_EQ(error.rfind("cannot open " + missing + ": ", 0), 0u) << error;
}
