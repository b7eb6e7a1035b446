// Windows: a calendar a viewer holds open cannot be replaced; small files;
// opening a file with its program.
#include "calendar/calendar_document.h"
#include "platform/open_external.h"
#include "platform/small_file.h"
#include "tests/support/files.h"
#include "tests/support/grids.h"

#include <gtest/gtest.h>

TEST(OutputPathTest, ACalendarHeldOpenCannotBeReplaced)
{
    TemporaryFolder folder;
    const std::string held = folder.file("orvelplan0.pdf");
    writeFile(held, "shown in a viewer");
    std::ifstream viewer(held);
    EXPECT_NE(saveCalendarPdf(renderCalendarPdf(CalendarRequest(gridOf(2010), 0, stderr)), held).error, "");
    EXPECT_EQ(readFile(held), "shown in a viewer");
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"orvelplan0.pdf"});
}

TEST(SmallFileTest, ReadsAtMostTheLimitAndNeverADevice)
{
    TemporaryFolder folder;
    writeFile(folder.file("settings.ini"), "0123456789");
    const SmallFileRead read = readSmallFile(folder.file("settings.ini"), 4);
    EXPECT_EQ(std::pair(read.outcome, read.content), std::pair(SmallFileRead::Outcome::read, std::string("0123")));
    EXPECT_EQ(readSmallFile(folder.file("absent.ini"), 4).outcome, SmallFileRead::Outcome::missing);
    for (const std::string& other : {std::string("NUL"), folder.path().string()})
        EXPECT_EQ(readSmallFile(other, 4).outcome, SmallFileRead::Outcome::notRegular) << other;
}

TEST(OpenExternalTest, AMissingFileIsReported)
{
    TemporaryFolder folder;
    const std::string missing = folder.file("missing.pdf");
    EXPECT_EQ(openWithDefaultApplication(missing).rfind("cannot open " + missing + ": ", 0), 0u);
}
