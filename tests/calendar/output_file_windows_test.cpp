// Windows: a calendar a viewer holds open cannot be deleted, so the next name
// is taken; a file in use is never replaced half-way.
#include "calendar/calendar_document.h"
#include "calendar/output_path.h"
#include "output_file_test_support.h"
#include "platform/file_replace.h"
#include "platform/open_external.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(OutputPathTest, ACalendarHeldOpenKeepsItsNameUntilLetGo)
{
    TemporaryFolder folder;
    const std::string base = (folder.path() / "").string();
    std::ofstream(base + "orvelplan0.pdf") << "shown in a viewer";
    {
        std::ifstream viewer(base + "orvelplan0.pdf");
        EXPECT_EQ(chooseOutputPath(base), base + "orvelplan1.pdf");
        EXPECT_EQ(readFile(base + "orvelplan0.pdf"), "shown in a viewer");

        // Saving over the held file fails and leaves it as it was.
        EXPECT_NE(createCalendarPdf(base + "orvelplan0.pdf", grid2010(), 0, stderr), "");
        EXPECT_NE(replaceFileContent(base + "orvelplan0.pdf", "new"), "");
        EXPECT_EQ(readFile(base + "orvelplan0.pdf"), "shown in a viewer");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
    }
    EXPECT_EQ(chooseOutputPath(base), base + "orvelplan0.pdf");
}

TEST(FileReplaceTest, ReplacesAnExistingFileWithWindowsSeparators)
{
    TemporaryFolder folder;
    const std::string target = folder.file("settings.ini");
    std::ofstream(target) << "old content, longer than the new";
    ASSERT_EQ(replaceFileContent(target, "0\r\n1\r\n"), "");
    EXPECT_EQ(readFile(target), "0\r\n1\r\n");
    EXPECT_EQ(temporaryPathBeside("C:\\data\\orvelplan.ini").rfind("C:\\data\\.orvelplan.ini.", 0), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(OpenExternalTest, AMissingFileIsReported)
{
    TemporaryFolder folder;
    const std::string missing = folder.file("missing.pdf");
    const std::string error = openWithDefaultApplication(missing);
    EXPECT_EQ(error.rfind("cannot open " + missing + ": ", 0), 0u) << error;
}
