// Where the settings file lives on Linux: under $XDG_DATA_HOME.
#include <gtest/gtest.h>

#include <cstdlib>

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
