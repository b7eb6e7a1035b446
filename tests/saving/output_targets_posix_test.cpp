// What an --output path may be on Linux: a link, a FIFO, a device, a file in
// a folder this user may not change.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "saving_support.h"

using namespace saving_test;
namespace fs = std::filesystem;

TEST(OutputTargetTest, EachKindOfTargetGetsTheCalendarAndKeepsWhatItIs)
{
    TemporaryFolder folder;
    const std::string pdf = calendarBytes(2010);
    const auto save = saveCalendarTo;

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

    // A name of the longest length the file system allows works.
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
        const std::string inPlace = saveCalendarTo(locked + "/calendar.pdf");
        const std::string absent = saveCalendarTo(locked + "/new.pdf");
        return inPlace.empty() && absent == "cannot write " + locked + "/new.pdf: Permission denied";
    }));
    EXPECT_EQ(readFile(locked + "/calendar.pdf"), calendarBytes(2010));
    chmod(locked.c_str(), 0755);
}
