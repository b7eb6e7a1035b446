// Linux: the program folder under $XDG_DATA_HOME, and xdg-open.
#include "calendar/calendar_document.h"
#include "tests/support/grids.h"
#include "platform/app_folders.h"
#include "platform/open_external.h"
#include "tests/support/environment.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace fs = std::filesystem;

TEST(OutputPathTest, ProgramFolderFollowsTheDataHomeAndIsCreated)
{
    TemporaryFolder folder;
    {
        ScopedEnvironment dataHome("XDG_DATA_HOME", folder.path().c_str());
        EXPECT_EQ(programFolder(), folder.path().string() + "/orvel/orvelplan/");
        EXPECT_TRUE(fs::is_directory(folder.path() / "orvel/orvelplan"));
    }
    {
        // A relative XDG_DATA_HOME is not valid and falls back to the home folder.
        ScopedEnvironment relative("XDG_DATA_HOME", "relative/data");
        ScopedEnvironment home("HOME", folder.path().c_str());
        EXPECT_EQ(programFolder(), folder.path().string() + "/.local/share/orvel/orvelplan/");
    }
    {
        writeFile(folder.file("file"), "x");
        ScopedEnvironment dataHomeIsAFile("XDG_DATA_HOME", folder.file("file").c_str());
        EXPECT_EQ(findProgramFolder().problem, "cannot use the folder " + folder.file("file") + ": Not a directory");
    }
    ScopedEnvironment noDataHome("XDG_DATA_HOME", nullptr);
    ScopedEnvironment noHome("HOME", nullptr);
    EXPECT_EQ(programFolder(), "");
    EXPECT_FALSE(createCalendar(CalendarRequest(gridOf(2010), threePerRowLayoutId, stderr)).saved());
}

TEST(OpenExternalTest, LaunchesTheDesktopOpenerWithoutWaiting)
{
    TemporaryFolder folder;
    const std::string log = folder.file("opened.log");
    const std::string fake = folder.file("xdg-open");
    writeFile(fake, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + log + "'\n");
    fs::permissions(fake, fs::perms::owner_all);
    ScopedEnvironment path("PATH", folder.path().c_str());

    EXPECT_EQ(openWithDefaultApplication("/tmp/some calendar.pdf"), "");
    EXPECT_EQ(openWithDefaultApplication("-odd.pdf"), "");  // never read as an option
    std::string opened;
    for (int i = 0; i < 500 && opened.find("-odd") == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        opened = readFile(log);
    }
    EXPECT_NE(opened.find("/tmp/some calendar.pdf\n"), std::string::npos);
    EXPECT_NE(opened.find("./-odd.pdf\n"), std::string::npos);

    ScopedEnvironment nowhere("PATH", folder.file("nothing-here").c_str());
    EXPECT_EQ(openWithDefaultApplication("/tmp/x.pdf"), "cannot start xdg-open: No such file or directory");
}
