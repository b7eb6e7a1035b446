// Start-up pieces that need no window: where the window opens and the fatal box.
#include <gtest/gtest.h>

#include "app/fatal_error.h"
#include "app/settings_file.h"
#include "app/start_position.h"

TEST(StartPosition, SavedCornerIsKeptOnScreenCoordinateByCoordinate)
{
    const std::vector<std::tuple<const char*, const char*, int, int>> cases = {
        {"300", "120", 300, 120}, {"", "", 0, 0}, {"1024", "740", 1024, 740}, {"abc", "7x", 0, 7},
        // Off the screen, also negatives saved as 32-bit patterns: 2 instead.
        {"-40", "100", 2, 100}, {"4294967288", "100", 2, 100}, {"4294935296", "4294935296", 2, 2},
        {"1025", "50", 2, 50}, {"10", "741", 10, 2},
    };
    for (const auto& [left, top, x, y] : cases) {
        SettingsEntries entries = initialSettingsEntries();
        entries[windowLeftEntry] = left;
        entries[windowTopEntry] = top;
        const ScreenPoint p = startPosition(entries, {1024, 740});
        EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(x, y)) << left << ", " << top;
    }
}

TEST(FatalError, ALongReasonIsCutToFitTheMessage)
{
    EXPECT_EQ(fatalMessage("Main2", 4, std::string(5000, 'x')),
              "Main2 failed with error 4: " + std::string(fatalMessageCapacity - 28, 'x'));
}
