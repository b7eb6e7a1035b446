#pragma once
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "tests/support/files.h"

// A settings file path in a fresh folder, and the entries of the example
// settings (2011, Monday, "2 Months / row", topmost, at 300, 120).
class SettingsFileTest : public ::testing::Test {
protected:
    long filesInFolder() const { return std::distance(std::filesystem::directory_iterator(folder.path()), {}); }

    TemporaryFolder folder;
    std::string path = folder.file("orvelplan.ini");
    const SettingsEntries saved{"0", "1", "0", "120", "300", "2011", "1", "1"};
};

