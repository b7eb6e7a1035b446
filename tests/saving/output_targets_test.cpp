// Where a calendar goes: the numbered names of the program folder, and what
// an --output path may be (a file, a link, a FIFO, a device, a folder).
#include <gtest/gtest.h>

#include <hpdf.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "calendar/output_path.h"
#include "calendar/page_layout.h"
#include "saving_support.h"

using namespace saving_test;
namespace fs = std::filesystem;

namespace {

std::string numbered(const std::string& folder, int n)
{
    return folder + "orvelplan" + std::to_string(n) + ".pdf";
}

}  // namespace

TEST(SavedBytesTest, TheFileIsWhatTheLibraryWritesToAFile)
{
    TemporaryFolder folder;
    HPDF_Doc document = HPDF_New(nullptr, nullptr);
    drawCalendar({document, HPDF_AddPage(document), gridOf(2010)}, threePerRowLayoutId, PageOptions{});
    const std::string direct = folder.file("direct.pdf");
    ASSERT_EQ(HPDF_SaveToFile(document, direct.c_str()), HPDF_OK);
    HPDF_Free(document);

    const std::string ours = folder.file("ours.pdf");
    ASSERT_EQ(createCalendarPdf(CalendarRequest(gridOf(2010), threePerRowLayoutId, nullptr), ours).error, "");
    EXPECT_EQ(readFile(ours), readFile(direct));
    EXPECT_EQ(calendarBytes(2010), readFile(direct));
}

TEST(NumberedNamesTest, AFreeNumberIsTakenWithoutDeletingAnythingFirst)
{
    TemporaryFolder data;
    const std::string folder = data.path().string() + "/";
    const std::string pdf = calendarBytes(2012);
    writeFile(numbered(folder, 0), "an earlier calendar");

    // An earlier calendar that nobody holds is replaced by the new one.
    ClaimResult first = saveUnderFreeOutputPath(folder, pdf);
    ASSERT_TRUE(first.saved()) << first.error;
    EXPECT_EQ(first.path, numbered(folder, 0));
    EXPECT_EQ(readFile(first.path), pdf);

    // While this copy holds it, and while another program has it open, the
    // next number is used; the held files stay as they are.
    ClaimResult second = saveUnderFreeOutputPath(folder, "second");
    EXPECT_EQ(second.path, numbered(folder, 1));
    first.file.release();
    const int viewer = open(numbered(folder, 0).c_str(), O_RDONLY);
    second.file.release();
    EXPECT_EQ(saveUnderFreeOutputPath(folder, "third").path, numbered(folder, 1));
    EXPECT_EQ(readFile(numbered(folder, 0)), pdf);
    close(viewer);
    EXPECT_EQ(saveUnderFreeOutputPath(folder, "fourth").path, numbered(folder, 0));

    // Names that are not regular files are passed over; with all of them
    // taken nothing is written.
    fs::remove(numbered(folder, 0));
    fs::create_directories(numbered(folder, 0) + "/kept");
    EXPECT_EQ(saveUnderFreeOutputPath(folder, "fifth").path, numbered(folder, 1));
    for (int n = 1; n < 100; ++n) {
        fs::remove(numbered(folder, n));
        fs::create_directory(numbered(folder, n));
    }
    const ClaimResult none = saveUnderFreeOutputPath(folder, "sixth");
    EXPECT_TRUE(none.allInUse);
    EXPECT_NE(none.error.find("is in use"), std::string::npos) << none.error;
    EXPECT_EQ(namesIn(folder).size(), 100u);
    EXPECT_EQ(temporaryFilesIn(folder), 0);
}

TEST(NumberedNamesTest, TemporaryFilesOfGoneProcessesAreRemovedOthersKept)
{
    TemporaryFolder data;
    const std::string folder = data.path().string() + "/";
    // A process id that is surely gone: a child that has been reaped.
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string leftover = ".orvelplan-" + std::to_string(gone) + "-0.tmp";
    const std::string alive = ".orvelplan-" + std::to_string(getppid()) + "-0.tmp";
    for (const std::string& name : {leftover, alive, std::string(".orvelplan-x-0.tmp"), std::string("other.tmp")})
        writeFile(folder + name, "partial");

    ASSERT_TRUE(saveUnderFreeOutputPath(folder, "new").saved());
    EXPECT_EQ(namesIn(folder), (std::set<std::string>{alive, ".orvelplan-x-0.tmp", "orvelplan0.pdf", "other.tmp"}));
}

TEST(OutputTargetTest, EachKindOfTargetGetsTheCalendarAndKeepsWhatItIs)
{
    TemporaryFolder folder;
    const std::string pdf = calendarBytes(2010);
    const auto save = [&](const std::string& path) {
        return createCalendarPdf(CalendarRequest(gridOf(2010), threePerRowLayoutId, nullptr), path).error;
    };

    // A link keeps pointing at the file, which now holds the calendar; a
    // dangling link gets its file made.
    fs::create_directory(folder.file("real"));
    writeFile(folder.file("real/old.pdf"), "old");
    fs::permissions(folder.file("real/old.pdf"), fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real/old.pdf", folder.file("link.pdf"));
    fs::create_symlink("real/new.pdf", folder.file("dangling.pdf"));
    EXPECT_EQ(save(folder.file("link.pdf")), "");
    EXPECT_EQ(save(folder.file("dangling.pdf")), "");
    EXPECT_TRUE(fs::is_symlink(folder.file("link.pdf")));
    EXPECT_TRUE(fs::is_symlink(folder.file("dangling.pdf")));
    EXPECT_EQ(readFile(folder.file("real/old.pdf")), pdf);
    EXPECT_EQ(readFile(folder.file("real/new.pdf")), pdf);
    EXPECT_EQ(fs::status(folder.file("real/old.pdf")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // A FIFO is written into, not replaced.
    const std::string fifo = folder.file("fifo.pdf");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    EXPECT_EQ(save(fifo), "");
    std::string received(pdf.size() + 1, '\0');
    EXPECT_EQ(read(reader, received.data(), received.size()), static_cast<ssize_t>(pdf.size()));
    received.resize(pdf.size());
    EXPECT_EQ(received, pdf);
    close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));

    // A folder is refused, also when named "."; a name of the longest
    // length the file system allows works.
    EXPECT_EQ(save(folder.file("real")), "cannot write " + folder.file("real") + ": Is a directory");
    EXPECT_EQ(save("."), "cannot write .: Is a directory");
    const std::string longName = folder.file(std::string(255 - 4, 'n') + ".pdf");
    EXPECT_EQ(save(longName), "");
    EXPECT_EQ(readFile(longName), pdf);

    // A device node (only root may make one) is written into and stays a device, also through a link.
    if (runningAsRoot()) {
        const std::string null = folder.file("null");
        ASSERT_EQ(mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        fs::create_symlink("null", folder.file("null-link"));
        EXPECT_EQ(save(null), "");
        EXPECT_EQ(save(folder.file("null-link")), "");
        EXPECT_TRUE(fs::is_character_file(null));
        EXPECT_TRUE(fs::is_symlink(folder.file("null-link")));
    }
    EXPECT_EQ(temporaryFilesIn(folder.path()), 0);
    EXPECT_EQ(temporaryFilesIn(folder.file("real")), 0);
}

TEST(OutputTargetTest, AWritableFileInAFolderThatIsNotIsWrittenInPlace)
{
    TemporaryFolder folder;
    fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::others_exec | fs::perms::group_exec);
    const std::string locked = folder.file("locked");
    fs::create_directory(locked);
    writeFile(locked + "/calendar.pdf", "old");
    EXPECT_TRUE(asUnprivilegedUser({locked, locked + "/calendar.pdf"}, [&] {
        chmod(locked.c_str(), 0555);
        const std::string inPlace = createCalendarPdf(CalendarRequest(gridOf(2010), threePerRowLayoutId, nullptr), locked + "/calendar.pdf").error;
        const std::string absent = createCalendarPdf(CalendarRequest(gridOf(2010), threePerRowLayoutId, nullptr), locked + "/new.pdf").error;
        return inPlace.empty() && absent == "cannot write " + locked + "/new.pdf: Permission denied";
    }));
    EXPECT_EQ(readFile(locked + "/calendar.pdf"), calendarBytes(2010));
    chmod(locked.c_str(), 0755);
}
