// The settings file on Linux: under $XDG_DATA_HOME, and never blocked on by
// a FIFO or a device in its place.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include "settings_file_test_support.h"

TEST_F(SettingsFileTest, TheFileLivesInTheDataFolderWhichIsCreated)
{
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string previous = old ? old : "";
    setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
    EXPECT_EQ(settingsFilePath(), folder.path().string() + "/orvel/orvelplan/orvelplan.ini");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "orvel" / "orvelplan"));
    old ? setenv("XDG_DATA_HOME", previous.c_str(), 1) : unsetenv("XDG_DATA_HOME");
}

TEST_F(SettingsFileTest, AFifoOrADeviceInItsPlaceIsNeitherReadNorWrittenAndNeverBlocks)
{
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
            const std::string written = writeSettingsFile(settings, saved);
            _exit(!read && entries == initialSettingsEntries() && written.find("not a regular file") != std::string::npos ? 0 : 1);
        }
        int status = -1;
        for (int tick = 0; tick < 500 && waitpid(child, &status, WNOHANG) == 0; ++tick)
            usleep(10000);
        if (kill(child, SIGKILL) == 0 && waitpid(child, nullptr, 0) == child && status == -1)
            ADD_FAILURE() << settings << " blocked";
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << settings;
        EXPECT_EQ(readFile(errors), "orvelplan: " + settings + " is not a regular file; using the default settings\n");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink(paths[1]));
}
