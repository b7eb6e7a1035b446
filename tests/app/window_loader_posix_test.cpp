#include "app/window_loader.h"

#include <gtest/gtest.h>

// The build tree keeps the module beside the executable; an installed tree,
// wherever it was copied to, keeps it in lib/orvelplan/ beside bin/.
TEST(WindowLoaderTest, ModuleCandidatesFollowTheExecutable)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"/usr/bin/orvelplan", {"/usr/bin/orvelplan-window.so", "/usr/lib/orvelplan/orvelplan-window.so"}},
        {"/tmp/stage/usr/local/bin/orvelplan",
         {"/tmp/stage/usr/local/bin/orvelplan-window.so", "/tmp/stage/usr/local/lib/orvelplan/orvelplan-window.so"}},
        {"/home/me/src/build/app/orvelplan",
         {"/home/me/src/build/app/orvelplan-window.so", "/home/me/src/build/lib/orvelplan/orvelplan-window.so"}},
        {"/orvelplan", {"/orvelplan-window.so", "/lib/orvelplan/orvelplan-window.so"}},
        {"orvelplan", {}},
    };
    for (const auto& [executable, candidates] : cases)
        EXPECT_EQ(windowModuleCandidates(executable), candidates) << executable;
}
