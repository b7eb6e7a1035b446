// What `orvelplan pdf` tells, on which stream, and what it leaves behind.
#include <gtest/gtest.h>

#include <tuple>

#include "saving_support.h"

using namespace saving_test;
namespace fs = std::filesystem;

namespace {

// The program's streams are caught in `folder`; `data` is its data folder.
struct CommandLineOutputTest : ProgramTest {
    TemporaryFolder data, work;
};

}  // namespace

TEST_F(CommandLineOutputTest, AnUnwritableDataFolderSaysPermissionDenied)
{
    fs::permissions(folder.path(), fs::perms::all);
    EXPECT_TRUE(asUnprivilegedUser({data.path()}, [&] {
        chmod(data.path().c_str(), 0500);
        const ProgramRun result = runProgram({"pdf"}, folder, data.path());
        return result.status == 1 &&
               result.err == "orvelplan: cannot create the folder " + data.path().string() + "/orvel: Permission denied\n";
    }));
    chmod(data.path().c_str(), 0700);
}

TEST_F(CommandLineOutputTest, DashWritesThePdfAndNothingElseToStandardOutput)
{
    const ProgramRun result = runProgram({"pdf", "--year", "2010", "--output", "-"}, folder, data.path());
    EXPECT_EQ(std::tie(result.status, result.err), std::tuple(0, ""));
    EXPECT_EQ(result.out, calendarBytes(2010));
    EXPECT_FALSE(fs::exists("-"));
    EXPECT_TRUE(namesIn(data.path()).empty());
}

TEST_F(CommandLineOutputTest, APathThatCannotBePrintedTakesTheNewFileAwayAgain)
{
    // Standard output is a pipe whose reader has gone.
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    close(pipeEnds[0]);
    const std::string target = work.file("year.pdf");
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"pdf", "--output", target}, std::vector<std::string>{"pdf"}}) {
        EXPECT_EQ(exitStatus(startProgram(arguments, data.path(), pipeEnds[1], folder.file("err")), 30), 1);
        EXPECT_NE(readFile(folder.file("err")).find("cannot write to standard output"), std::string::npos)
            << readFile(folder.file("err"));
    }
    close(pipeEnds[1]);
    EXPECT_FALSE(fs::exists(target));
    EXPECT_TRUE(namesIn(work.path()).empty());
    EXPECT_TRUE(namesIn(data.path().string() + "/orvel/orvelplan").empty());
}
