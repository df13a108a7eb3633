#include "support/WriteRights.h"

#include "support/DebugLog.h"
#include "support/ScopedWin.h"

#include <aclapi.h>

#include <array>

namespace CommonModule {

namespace {

constexpr ACCESS_MASK kChangeRights =
    FILE_WRITE_DATA | FILE_APPEND_DATA | DELETE | WRITE_DAC | WRITE_OWNER;

enum Group : size_t { kEveryone, kAuthenticated, kUsers, kInteractive, kDomainUsers, kGroups };
constexpr std::array<const wchar_t*, kGroups> kNames = {
    L"Everyone", L"Authenticated Users", L"BUILTIN\\Users", L"INTERACTIVE", L"Domain Users"};
constexpr DWORD kDomainUsersRid = 513;

// Which broad group the SID is, or kGroups for another one. Domain Users is the RID 513
// of any domain.
size_t GroupOf(PSID sid) {
    if (!IsValidSid(sid)) return kGroups;
    const SID_IDENTIFIER_AUTHORITY* authority = GetSidIdentifierAuthority(sid);
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    const auto sub = [&](DWORD i) { return *GetSidSubAuthority(sid, i); };
    constexpr SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    constexpr SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    if (std::equal(authority->Value, authority->Value + 6, world.Value))
        return count == 1 && sub(0) == SECURITY_WORLD_RID ? kEveryone : kGroups;
    if (!std::equal(authority->Value, authority->Value + 6, nt.Value) || count == 0) return kGroups;
    if (count == 1 && sub(0) == SECURITY_AUTHENTICATED_USER_RID) return kAuthenticated;
    if (count == 1 && sub(0) == SECURITY_INTERACTIVE_RID) return kInteractive;
    if (count == 2 && sub(0) == SECURITY_BUILTIN_DOMAIN_RID && sub(1) == DOMAIN_ALIAS_RID_USERS)
        return kUsers;
    if (count == 5 && sub(0) == SECURITY_NT_NON_UNIQUE && sub(4) == kDomainUsersRid)
        return kDomainUsers;
    return kGroups;
}

// An entry may carry generic rights; these are what they mean for a file or folder.
ACCESS_MASK Mapped(ACCESS_MASK mask) {
    if (mask & GENERIC_ALL) mask |= FILE_ALL_ACCESS;
    if (mask & GENERIC_WRITE) mask |= FILE_GENERIC_WRITE;
    return mask;
}

} // namespace

std::vector<std::wstring> BroadWritersOf(const ACL* dacl, bool bPresent, bool bFolder) {
    if (!bPresent || !dacl) return {kNames[kEveryone]};
    const ACCESS_MASK change = kChangeRights | (bFolder ? FILE_DELETE_CHILD : 0);
    std::array<ACCESS_MASK, kGroups> allowed{}, denied{};
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(const_cast<ACL*>(dacl), i, &ace)) continue;
        const auto* header = static_cast<const ACE_HEADER*>(ace);
        if (header->AceFlags & INHERIT_ONLY_ACE) continue; // for what the folder holds
        const bool allow = header->AceType == ACCESS_ALLOWED_ACE_TYPE;
        if (!allow && header->AceType != ACCESS_DENIED_ACE_TYPE) continue;
        // Both entry types have the same layout.
        auto* entry = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        const size_t group = GroupOf(&entry->SidStart);
        if (group == kGroups) continue;
        (allow ? allowed : denied)[group] |= Mapped(entry->Mask) & change;
    }
    std::vector<std::wstring> writers;
    for (size_t g = 0; g < kGroups; ++g)
        // Every member of a group is one of Everyone too.
        if (allowed[g] & ~(denied[g] | denied[kEveryone])) writers.push_back(kNames[g]);
    return writers;
}

bool BroadWriters(const std::wstring& sPath, bool bFolder, std::vector<std::wstring>& writers,
                  std::wstring& why) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD status =
        GetNamedSecurityInfoW(sPath.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &dacl, nullptr, &descriptor);
    if (status != ERROR_SUCCESS) {
        why = Win32Error(status).description;
        return false;
    }
    const ScopedWin::UniqueLocal owned(descriptor);
    BOOL present = FALSE, defaulted = FALSE;
    PACL read = nullptr;
    if (!GetSecurityDescriptorDacl(descriptor, &present, &read, &defaulted)) {
        why = LastError().description;
        return false;
    }
    writers = BroadWritersOf(read, present != FALSE, bFolder);
    return true;
}

} // namespace CommonModule
