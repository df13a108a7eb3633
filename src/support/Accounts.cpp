#include "support/Accounts.h"

#include "support/DebugLog.h"
#include "support/ScopedWin.h"

#include <sddl.h>

namespace CommonModule {

namespace {

bool IsSidString(const std::wstring& s) {
    return s.size() > 2 && (s[0] == L'S' || s[0] == L's') && s[1] == L'-';
}

std::wstring Reason(DWORD error) {
    return Win32Error(error).description;
}

} // namespace

std::vector<BYTE> SidOfAccount(const std::wstring& sEntry, std::wstring& why) {
    // A group may be named like a SID ("S-Team"): what does not convert is a name.
    if (IsSidString(sEntry)) {
        ScopedWin::UniqueLocal owner;
        if (ConvertStringSidToSidW(sEntry.c_str(), reinterpret_cast<PSID*>(owner.put()))) {
            const auto* bytes = static_cast<const BYTE*>(owner.get());
            return {bytes, bytes + GetLengthSid(owner.get())};
        }
    }
    // Room for any SID and any domain name, so that one call answers; the sizes the
    // call asks for are honoured all the same.
    DWORD sidSize = SECURITY_MAX_SID_SIZE, domainSize = 256;
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::vector<BYTE> sid(sidSize);
        std::wstring domain(domainSize, L'\0');
        SID_NAME_USE use{};
        if (LookupAccountNameW(nullptr, sEntry.c_str(), sid.data(), &sidSize, domain.data(),
                               &domainSize, &use)) {
            sid.resize(GetLengthSid(sid.data()));
            return sid;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    }
    why = Reason(GetLastError());
    return {};
}

bool TokenHasGroup(const std::vector<BYTE>& sid, bool& bMember, std::wstring& why) {
    BOOL member = FALSE;
    // No token: the system checks the thread's impersonation token, or a copy of the
    // process's primary token, and counts only groups enabled in it.
    if (!CheckTokenMembership(nullptr, const_cast<BYTE*>(sid.data()), &member)) {
        why = Reason(GetLastError());
        return false;
    }
    bMember = member != FALSE;
    return true;
}

Account CurrentAccount() {
    Account account;
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return account;
    const ScopedWin::UniqueHandle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> info(size);
    if (size == 0 || !GetTokenInformation(token.get(), TokenUser, info.data(), size, &size))
        return account;
    const PSID sid = reinterpret_cast<const TOKEN_USER*>(info.data())->User.Sid;
    const auto* bytes = static_cast<const BYTE*>(sid);
    account.sid.assign(bytes, bytes + GetLengthSid(sid));
    wchar_t name[256] = {}, domain[256] = {};
    DWORD nameSize = 256, domainSize = 256;
    SID_NAME_USE use{};
    if (LookupAccountSidW(nullptr, sid, name, &nameSize, domain, &domainSize, &use)) {
        account.name = std::wstring(domain) + L"\\" + name;
    } else if (ScopedWin::UniqueLocal text;
               ConvertSidToStringSidW(sid, reinterpret_cast<LPWSTR*>(text.put()))) {
        account.name = static_cast<const wchar_t*>(text.get());
    }
    return account;
}

} // namespace CommonModule
