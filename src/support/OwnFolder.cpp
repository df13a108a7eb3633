#include "support/OwnFolder.h"

#include "support/DebugLog.h"
#include "support/FolderCheck.h"
#include "support/ScopedWin.h"
#include "support/Staging.h"

#include <aclapi.h>

namespace CommonModule {

std::vector<BYTE> TokenSid(TOKEN_INFORMATION_CLASS which, std::wstring& why) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) {
        why = L"the process token cannot be read: " + LastError().description;
        return {};
    }
    const ScopedWin::UniqueHandle token(raw);
    // TOKEN_OWNER and TOKEN_USER both begin with the SID's pointer.
    alignas(8) BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    if (!GetTokenInformation(token.get(), which, buffer, sizeof buffer, &size)) {
        why = L"the token's owner cannot be read: " + LastError().description;
        return {};
    }
    const PSID sid = which == TokenUser ? reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid
                                        : reinterpret_cast<TOKEN_OWNER*>(buffer)->Owner;
    const BYTE* at = static_cast<const BYTE*>(sid);
    return std::vector<BYTE>(at, at + GetLengthSid(sid));
}

namespace {

bool AddFull(ACL* acl, PSID sid) {
    return AddAccessAllowedAceEx(acl, ACL_REVISION, 0, FILE_ALL_ACCESS, sid);
}

} // namespace

std::vector<BYTE> WorkingFolderAcl(PSID owner, const ACL* parentDacl) {
    BYTE systemSid[SECURITY_MAX_SID_SIZE];
    DWORD systemSize = sizeof systemSid;
    if (!owner || !IsValidSid(owner) ||
        !CreateWellKnownSid(WinLocalSystemSid, nullptr, systemSid, &systemSize))
        return {};
    DWORD size = sizeof(ACL) + 2 * sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(owner) + systemSize;
    if (parentDacl) size += parentDacl->AclSize;
    std::vector<BYTE> acl((size + 3) & ~3u);
    auto* list = reinterpret_cast<ACL*>(acl.data());
    if (!InitializeAcl(list, static_cast<DWORD>(acl.size()), ACL_REVISION) ||
        !AddFull(list, owner) || !AddFull(list, systemSid))
        return {};
    for (WORD i = 0; parentDacl && i < parentDacl->AceCount; ++i) {
        void* entry = nullptr;
        if (!GetAce(const_cast<ACL*>(parentDacl), i, &entry)) return {};
        auto* header = static_cast<ACE_HEADER*>(entry);
        if (!(header->AceFlags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE))) continue;
        // Copied, then made to apply to what is made inside alone.
        if (!AddAce(list, parentDacl->AclRevision, MAXDWORD, entry, header->AceSize)) return {};
        void* added = nullptr;
        if (!GetAce(list, list->AceCount - 1, &added)) return {};
        auto* copy = static_cast<ACE_HEADER*>(added);
        copy->AceFlags = static_cast<BYTE>((copy->AceFlags | INHERIT_ONLY_ACE) & ~INHERITED_ACE);
    }
    return acl;
}

OwnFolderSecurity::OwnFolderSecurity(const std::wstring& sParent) {
    const auto remote = [](const std::wstring& root) {
        return GetDriveTypeW(root.c_str()) == DRIVE_REMOTE;
    };
    owner_ = TokenSid(WorkingFolderOwner(IsOnNetwork(sParent, remote)), why_);
    if (owner_.empty()) return;
    PACL parentDacl = nullptr;
    PSECURITY_DESCRIPTOR parent = nullptr;
    // A volume without access lists (FAT) answers with none: the folder then gets only
    // its two entries, which such a volume ignores anyway.
    const DWORD status = GetNamedSecurityInfoW(LongPathSafe(sParent).c_str(), SE_FILE_OBJECT,
                                               DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                               &parentDacl, nullptr, &parent);
    const ScopedWin::UniqueLocal parentOwner(parent);
    if (status != ERROR_SUCCESS) {
        why_ = L"the access list of \"" + sParent + L"\" cannot be read: " +
               Win32Error(status).description;
        return;
    }
    acl_ = WorkingFolderAcl(owner_.data(), parentDacl);
    if (acl_.empty() || !InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor_, TRUE, reinterpret_cast<ACL*>(acl_.data()),
                                   FALSE) ||
        !SetSecurityDescriptorControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED)) {
        why_ = L"no access list could be built for a working folder: " + LastError().description;
        acl_.clear();
        return;
    }
}

} // namespace CommonModule
