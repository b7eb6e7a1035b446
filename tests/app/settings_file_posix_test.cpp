// The settings file on Linux is never blocked on by a FIFO or a device in its place.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "app/settings_file.h"
#include "tests/support/program.h"

TEST(SettingsFilePosixTest, AFifoOrADeviceInItsPlaceIsNeitherReadNorWrittenAndNeverBlocks)
{
    TemporaryFolder folder;
    const std::string fifo = folder.file("fifo.ini");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::string> paths = {fifo, folder.file("fifo-link.ini")};
    std::filesystem::create_symlink(fifo, paths[1]);
    if (geteuid() == 0) {
        // A device that reads without end, like /dev/zero, made here.
        ASSERT_EQ(mknod(folder.file("zero").c_str(), S_IFCHR | 0666, makedev(1, 5)), 0);
        paths.push_back(folder.file("zero-link.ini"));
        std::filesystem::create_symlink(folder.file("zero"), paths.back());
    }
    for (const std::string& settings : paths) {
        const std::string errors = folder.file("errors.txt");
        const pid_t child = fork();
        if (child == 0) {
            const int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(err, STDERR_FILENO);
            SettingsEntries entries = initialSettingsEntries();
            const bool read = readSettingsFile(settings, entries);
            const std::string written = writeSettingsFile(settings, entries);
            _exit(!read && entries == initialSettingsEntries() && written.find("not a regular file") != std::string::npos ? 0 : 1);
        }
        EXPECT_EQ(exitStatus(child, 5), 0) << settings << " was read, written or blocked";
        EXPECT_EQ(readFile(errors), "orvelplan: " + settings + " is not a regular file; using the default settings\n");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink(paths[1]));
}
