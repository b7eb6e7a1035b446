#include "platform/module_function.h"

#include <gtest/gtest.h>

// The build tree keeps a module beside the executable; an installed tree,
// wherever it was copied to, keeps it in lib/orvelplan/ beside bin/. Windows
// folders are taken apart at their own separator.
TEST(ModuleCandidatesTest, FollowTheExecutable)
{
    struct Case {
        std::string folder;
        std::string installed;
        std::vector<std::string> candidates;
    };
    const std::vector<Case> cases = {
        {"/usr/bin/", "../lib/orvelplan", {"/usr/bin/m.so", "/usr/lib/orvelplan/m.so"}},
        {"/home/me/build/app/", "../../lib/./orvelplan/",
         {"/home/me/build/app/m.so", "/home/me/lib/orvelplan/m.so"}},
        {"/", "../lib/orvelplan", {"/m.so", "/lib/orvelplan/m.so"}},
        {"/opt/", "modules", {"/opt/m.so", "/opt/modules/m.so"}},
        {"C:\\Programs\\Orvel\\", "../lib/orvelplan",
         {"C:\\Programs\\Orvel\\m.so", "C:\\Programs\\lib\\orvelplan\\m.so"}},
        {"C:\\Orvel\\", "", {"C:\\Orvel\\m.so"}},
        {"", "../lib/orvelplan", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(programModuleCandidates(c.folder, c.installed, "m.so"), c.candidates) << c.folder << c.installed;
}
