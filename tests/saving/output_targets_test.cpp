// Saving on both systems: what each kind of target gets, the numbered names of
// the program folder, what a saved file may take away again, and files that
// are write-protected.
#include <gtest/gtest.h>

#include <hpdf.h>

#include "calendar/output_path.h"
#include "calendar/page_layout.h"
#include "platform/file_system.h"
#include "platform/scratch_file.h"
#include "platform/temporary_file_name.h"
#include "saving_support.h"

using namespace saving_test;
namespace fs = std::filesystem;

namespace {

std::string numbered(const std::string& folder, int n)
{
    return folder + "orvelplan" + std::to_string(n) + ".pdf";
}

// A system that cannot tell whether another process has a file open (Linux
// without leases, as on NFS or for another user's file): only the claims of
// the copies of the program keep them apart.
struct SystemWithoutLeases : FileSystem {
    InUse probeInUse(const Folder&, const std::string&, const ExistingFile&) const override { return InUse::cannotTell; }
};

// A fresh folder, named with its trailing separator as the program folder is.
struct NumberedNamesTest : ::testing::Test {
    TemporaryFolder data;
    const std::string folder = (data.path() / "").string();
};

void makeWriteProtected(const std::string& path, bool protect)
{
    using fs::perms;
    fs::permissions(path, protect ? perms::owner_read | perms::group_read | perms::others_read
                                  : perms::owner_read | perms::owner_write);
}

}  // namespace

TEST(SavedBytesTest, TheCalendarIsWhatTheLibraryWritesToAFile)
{
    TemporaryFolder folder;
    ScratchFile noFont;
    HPDF_Doc document = HPDF_New(nullptr, nullptr);
    drawCalendar({document, HPDF_AddPage(document), gridOf(2010), noFont}, threePerRowLayoutId, PageOptions{});
    const std::string direct = folder.file("direct.pdf");
    ASSERT_EQ(HPDF_SaveToFile(document, direct.c_str()), HPDF_OK);
    HPDF_Free(document);
    EXPECT_EQ(calendarBytes(2010), readFile(direct));
}

TEST(OutputTargetTest, FilesAreReplacedWholeFoldersRefusedDevicesWrittenInto)
{
    TemporaryFolder folder;
    const std::string target = folder.file("settings.ini");
    writeFile(target, "old content, longer than the new");
    ASSERT_EQ(writeFileAtomically(target, "0\r\n1\r\n", SpecialTarget::refuse).error, "");
    EXPECT_EQ(readFile(target), "0\r\n1\r\n");

    fs::create_directory(folder.file("folder.pdf"));
    for (const std::string& path : {folder.file("folder.pdf"), std::string(".")}) {
        const std::string error = writeFileAtomically(path, "x", SpecialTarget::writeInPlace).error;
        EXPECT_EQ(error.rfind("cannot write " + path + ": ", 0), 0u) << error;
    }
#ifdef _WIN32
    // On Linux the device is one the test makes (output_targets_posix_test.cpp).
    EXPECT_EQ(writeFileAtomically("NUL", "into the device", SpecialTarget::writeInPlace).error, "");
    EXPECT_EQ(writeFileAtomically("NUL", "x", SpecialTarget::refuse).error, "cannot write NUL: not a regular file");
#endif
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"folder.pdf", "settings.ini"}));
}

TEST(OutputTargetTest, AWriteProtectedFileKeepsItsContentAndProtection)
{
    TemporaryFolder folder;
    const std::string target = folder.file("year.pdf");
    writeFile(target, "kept");
    makeWriteProtected(target, true);
    const std::string error = saveCalendarTo(target);
    EXPECT_EQ(error.rfind("cannot write " + target + ": ", 0), 0u) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_TRUE(readFile(target) == "kept") << "the protected file was changed";
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"year.pdf"});
    makeWriteProtected(target, false);
}

TEST_F(NumberedNamesTest, AFreeNumberIsTakenWithoutDeletingAnythingFirst)
{
    const std::string pdf = calendarBytes(2012);
    writeFile(numbered(folder, 0), "an earlier calendar");

    // An earlier calendar that nobody holds is replaced by the new one.
    ClaimResult first = saveUnderFreeOutputPath(folder, pdf);
    ASSERT_TRUE(first.saved()) << first.error;
    EXPECT_EQ(first.path, numbered(folder, 0));
    EXPECT_EQ(readFile(first.path), pdf);

    // While this copy holds it, while another program has it open, and while
    // it is write-protected, the next number is used; those files stay as they are.
    ClaimResult second = saveUnderFreeOutputPath(folder, "second");
    EXPECT_EQ(second.path, numbered(folder, 1));
    first.file.release();
    second.file.release();
    {
        std::ifstream viewer(numbered(folder, 0));
        EXPECT_EQ(saveUnderFreeOutputPath(folder, "third").path, numbered(folder, 1));
    }
    makeWriteProtected(numbered(folder, 0), true);
    EXPECT_EQ(saveUnderFreeOutputPath(folder, "fourth").path, numbered(folder, 1));
    EXPECT_EQ(readFile(numbered(folder, 0)), pdf);
    makeWriteProtected(numbered(folder, 0), false);
    EXPECT_EQ(saveUnderFreeOutputPath(folder, "fifth").path, numbered(folder, 0));

    // Names that are not regular files are passed over; with all of them
    // taken nothing is written.
    fs::remove(numbered(folder, 0));
    fs::create_directories(numbered(folder, 0) + "/kept");
    EXPECT_EQ(saveUnderFreeOutputPath(folder, "sixth").path, numbered(folder, 1));
    for (int n = 1; n < 100; ++n) {
        fs::remove(numbered(folder, n));
        fs::create_directory(numbered(folder, n));
    }
    const ClaimResult none = saveUnderFreeOutputPath(folder, "seventh");
    EXPECT_TRUE(none.allInUse);
    EXPECT_NE(none.error.find("is in use"), std::string::npos) << none.error;
    EXPECT_EQ(namesIn(folder).size(), 100u);
    EXPECT_EQ(temporaryFilesIn(folder), 0);
}

TEST_F(NumberedNamesTest, ACopyHoldingANameKeepsItWhereOpenFilesCannotBeSeen)
{
    const std::vector<std::string> candidates = outputPathCandidates(folder);
    // The claim is the same between two descriptors, or two named objects, of
    // one process as between two processes.
    ClaimResult first = claimNewFile(candidates, "first");
    ClaimResult second = claimNewFile(SystemWithoutLeases(), candidates, "second");
    EXPECT_EQ(first.path, numbered(folder, 0));
    EXPECT_EQ(second.path, numbered(folder, 1));
    EXPECT_EQ(readFile(numbered(folder, 0)), "first");
    first.file.release();
    EXPECT_EQ(claimNewFile(SystemWithoutLeases(), candidates, "third").path, numbered(folder, 0));
    EXPECT_EQ(readFile(numbered(folder, 0)), "third");
}

TEST_F(NumberedNamesTest, ASavedFileIsTakenAwayAgainOnlyWhileItIsStillOurs)
{
    for (const bool numberedName : {false, true}) {
        for (const bool replacedMeanwhile : {false, true}) {
            SavedFile saved = numberedName ? saveUnderFreeOutputPath(folder, "ours").file
                                           : writeFileAtomically(folder + "year.pdf", "ours", SpecialTarget::refuse).file;
            const std::string path = numberedName ? numbered(folder, 0) : folder + "year.pdf";
            if (replacedMeanwhile) {
                // Another program saves over the name the way this one does.
                writeFile(folder + "theirs.tmp", "theirs");
                fs::rename(folder + "theirs.tmp", path);
            }
            saved.discard();
            EXPECT_EQ(fs::exists(path) ? readFile(path) : "", replacedMeanwhile ? "theirs" : "")
                << path << (replacedMeanwhile ? " replaced" : "");
            fs::remove(path);
        }
    }
}

TEST_F(NumberedNamesTest, TemporaryFilesOfGoneProcessesAreRemovedOthersKept)
{
    // No system hands out this process number.
    const std::string leftover = ".orvelplan-2147483647-0.tmp";
#ifdef _WIN32
    const std::string alive = temporaryFileName(FileSystem().processId(), 99999);
#else
    const std::string alive = ".orvelplan-" + std::to_string(getppid()) + "-0.tmp";
#endif
    for (const std::string& name : {leftover, alive, std::string(".orvelplan-x-0.tmp"), std::string("other.tmp")})
        writeFile(folder + name, "partial");

    ASSERT_TRUE(saveUnderFreeOutputPath(folder, "new").saved());
    EXPECT_EQ(namesIn(folder), (std::set<std::string>{alive, ".orvelplan-x-0.tmp", "orvelplan0.pdf", "other.tmp"}));
}
