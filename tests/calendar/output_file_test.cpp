#include "calendar/calendar_document.h"
#include "calendar/output_path.h"
#include "output_file_test_support.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(OutputPathTest, ClearsAndReusesTheFirstName)
{
    TemporaryFolder folder;
    const std::string base = (folder.path() / "").string();
    EXPECT_EQ(chooseOutputPath(base), base + "orvelplan0.pdf");
    std::ofstream(base + "orvelplan0.pdf") << "an earlier calendar";
    std::ofstream(base + "orvelplan1.pdf") << "an older one";
    EXPECT_EQ(chooseOutputPath(base), base + "orvelplan0.pdf");
    EXPECT_FALSE(fs::exists(base + "orvelplan0.pdf"));
    EXPECT_TRUE(fs::exists(base + "orvelplan1.pdf"));
    EXPECT_EQ(chooseOutputPath(""), "");
}

TEST(CalendarDocumentTest, FailuresReportOnceAndLeaveNothingBehind)
{
    TemporaryFolder folder;
    std::FILE* diagnostics = std::tmpfile();
    const std::string missing = folder.file("missing/calendar.pdf");
    EXPECT_EQ(createCalendarPdf(missing, grid2010(), threePerRowLayoutId, diagnostics),
              "cannot write " + missing + ": No such file or directory");
    std::rewind(diagnostics);
    char line[80] = {};
    EXPECT_STREQ(std::fgets(line, sizeof line, diagnostics), "ERROR: error_no=1017, detail_no=2\n");
    EXPECT_EQ(std::fgets(line, sizeof line, diagnostics), nullptr);
    std::fclose(diagnostics);

    // A target that cannot be replaced keeps what it holds, with no temporary
    // file left beside it; a replaceable one gets a whole document.
    const std::string taken = folder.file("taken.pdf");
    fs::create_directories(taken + "/inside");
    EXPECT_NE(createCalendarPdf(taken, grid2010(), threePerRowLayoutId, stderr), "");
    EXPECT_TRUE(fs::exists(taken + "/inside"));
    const std::string target = folder.file("calendar.pdf");
    std::ofstream(target) << "old";
    ASSERT_EQ(createCalendarPdf(target, grid2010(), twoPerRowLayoutId, stderr), "");
    const std::string pdf = readFile(target);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}
