// Windows: a calendar a viewer holds open cannot be replaced; small files;
// opening a file with its program.
#include "calendar/calendar_document.h"
#include "output_file_test_support.h"
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

TEST(OutputPathTest, ACalendarHeldOpenCannotBeReplaced)
{
    TemporaryFolder folder;
    const std::string held = folder.file("orvelplan0.pdf");
    std::ofstream(held) << "shown in a viewer";
    std::ifstream viewer(held);
    EXPECT_NE(createCalendarPdf(CalendarRequest(grid2010(), 0, stderr), held).error, "");
    EXPECT_EQ(readFile(held), "shown in a viewer");
    EXPECT_EQ(filesIn(folder), 1);
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
