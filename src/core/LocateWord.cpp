#include "core/LocateWord.h"

#include "support/Collection.h"
#include "support/DebugLog.h"
#include "support/FileSearch.h"
#include "support/Probes.h"

#include <windows.h>

#include <shlwapi.h>

#include <string>

namespace Module1 {

namespace {

// The value, or "" when the variable is not set.
std::wstring EnvironmentValue(const wchar_t* sName) {
    std::wstring value(64, L'\0');
    for (;;) {
        const DWORD n =
            GetEnvironmentVariableW(sName, value.data(), static_cast<DWORD>(value.size()));
        if (n == 0) return {};
        if (n < value.size()) {
            value.resize(n);
            return value;
        }
        value.resize(n); // n is the size needed, with the terminating NUL
    }
}

// The last hit of the search below the folder.
std::wstring LastHit(const std::wstring& sFolder) {
    Collection hits;
    CommonModule::FindFiles(sFolder, L"winword.exe", hits, true);
    std::wstring sFound;
    for (const std::wstring& item : hits)
        if (!item.empty()) sFound = item;
    return sFound;
}

// One pair of candidates: the "Microsoft Office 15" folder when it exists, else its
// plain sibling. An old install can leave the "15" folder behind empty, so when nothing
// is found there the sibling is searched too.
std::wstring SearchPair(const std::wstring& sOffice15, const std::wstring& sOffice) {
    if (CommonModule::DoesDirExist(sOffice15)) {
        std::wstring sFound = LastHit(sOffice15);
        if (!sFound.empty()) return sFound;
    }
    return LastHit(sOffice);
}

std::wstring Unquoted(const std::wstring& s) {
    return s.size() >= 2 && s.front() == L'"' && s.back() == L'"' ? s.substr(1, s.size() - 2) : s;
}

} // namespace

CommonModule::RegistryValue ReadWordAppPath(REGSAM samView) {
    return CommonModule::ReadRegistryValue(
        HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.exe",
        nullptr, samView);
}

std::wstring RegisteredWordExe(const AppPathReader& read) {
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        const CommonModule::RegistryValue value = read(view);
        if (value.text.empty()) continue; // missing, unreadable or not a path
        std::wstring sPath = Unquoted(value.text);
        if (value.type == REG_EXPAND_SZ) sPath = CommonModule::ExpandedText(sPath);
        // A relative path would be looked for in whatever folder the run started in.
        if (!PathIsRelativeW(sPath.c_str()) && CommonModule::IsExistingFile(sPath)) return sPath;
    }
    return {};
}

std::wstring LocateWordExe() {
    const std::wstring sDrive = EnvironmentValue(L"systemdrive");
    std::wstring sFound = SearchPair(sDrive + L"\\Program Files\\Microsoft Office 15",
                                     sDrive + L"\\Program Files\\Microsoft Office");
    if (sFound.empty())
        sFound = SearchPair(sDrive + L"\\Program Files (x86)\\Microsoft Office 15",
                            sDrive + L"\\Program Files (x86)\\Microsoft Office");
    if (!sFound.empty()) return sFound;
    sFound = RegisteredWordExe();
    if (!sFound.empty())
        CommonModule::DPrint(L"LocateWordExe: none below Program Files; Word as registered in "
                             L"App Paths: \"" +
                             sFound + L"\"");
    return sFound;
}

} // namespace Module1
