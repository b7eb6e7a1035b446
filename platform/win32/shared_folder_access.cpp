#include "platform/win32/shared_folder_access.h"

#include <array>

namespace {

struct SharedFolderRights {
    SharedFolderRights();

    std::array<unsigned char, SECURITY_MAX_SID_SIZE> users{};
    // The ACL header and one allowed ACE holding the SID.
    alignas(DWORD) std::array<unsigned char, sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + SECURITY_MAX_SID_SIZE> acl{};
    SECURITY_DESCRIPTOR descriptor{};
    SECURITY_ATTRIBUTES attributes{};
    bool built = false;
};

SharedFolderRights::SharedFolderRights()
{
    DWORD sidSize = static_cast<DWORD>(users.size());
    auto* list = reinterpret_cast<ACL*>(acl.data());
    // Well-known S-1-5-32-545 (BUILTIN\Users): the same on every machine and
    // in every language, unlike the group's name.
    built = CreateWellKnownSid(WinBuiltinUsersSid, nullptr, users.data(), &sidSize) &&
            InitializeAcl(list, static_cast<DWORD>(acl.size()), ACL_REVISION) &&
            AddAccessAllowedAceEx(list, ACL_REVISION, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE, everyUserAccess,
                                  users.data()) &&
            InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
            SetSecurityDescriptorDacl(&descriptor, TRUE, list, FALSE);
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = &descriptor;
    attributes.bInheritHandle = FALSE;
}

}  // namespace

SECURITY_ATTRIBUTES* everyUserMayWrite()
{
    static SharedFolderRights rights;
    return rights.built ? &rights.attributes : nullptr;
}
