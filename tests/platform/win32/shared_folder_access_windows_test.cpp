// The rights of the program folder: Users may modify, inherited by files and
// folders inside. Wine keeps no rights on its folders, so the descriptor the
// folder is made with is what is checked.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>
#include <sddl.h>

#include "platform/win32/shared_folder_access.h"

namespace {

std::string asSddl(PSECURITY_DESCRIPTOR descriptor)
{
    char* text = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1,
                                                              DACL_SECURITY_INFORMATION, &text, nullptr))
        return "conversion failed: " + std::to_string(GetLastError());
    std::string result = text;
    LocalFree(text);
    return result;
}

// One allowed ACE for BUILTIN\Users (BU), for this folder, its subfolders (CI)
// and its files (OI), with modify rights: 0x1301bf is read, write, execute and
// delete, without WRITE_DAC or WRITE_OWNER.
constexpr const char* usersMayModify = "(A;OICI;0x1301bf;;;BU)";

TEST(SharedFolderAccessTest, UsersMayModifyInheritedByEverythingInside)
{
    SECURITY_ATTRIBUTES* attributes = everyUserMayWrite();
    ASSERT_NE(attributes, nullptr);
    EXPECT_EQ(asSddl(attributes->lpSecurityDescriptor), std::string("D:") + usersMayModify);
}

}  // namespace
