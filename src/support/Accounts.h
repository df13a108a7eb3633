#pragma once
// Groups as the system knows them: a name or SID string turned into a SID, and whether
// this process's own token holds that SID as a group it acts with.
#include <windows.h>

#include <string>
#include <vector>

namespace CommonModule {

// The SID of a group (or account) written as administrators write it ("Legal",
// "CONTOSO\Legal", "BUILTIN\Users") or of a SID string ("S-1-5-32-545"), taken as it
// stands. Empty, with the system's reason in why, when it cannot be resolved.
std::vector<BYTE> SidOfAccount(const std::wstring& sEntry, std::wstring& why);

// Whether the SID is an enabled group of the thread's token (the impersonation token,
// else the process's own). A deny-only group, as an administrator's filtered token
// carries "Administrators", is not. False, with the reason, when it cannot be asked.
bool TokenHasGroup(const std::vector<BYTE>& sid, bool& bMember, std::wstring& why);

// The account this process runs as: its SID, and its name as "DOMAIN\name" (the SID
// string when the name cannot be looked up). Empty when the token cannot be read.
struct Account {
    std::vector<BYTE> sid;
    std::wstring name;
};
Account CurrentAccount();

} // namespace CommonModule
