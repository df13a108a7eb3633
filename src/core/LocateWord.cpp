#include "core/LocateWord.h"

#include "support/Collection.h"
#include "support/FileSearch.h"
#include "support/Probes.h"

#include <windows.h>

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

// One pair of candidates: the "Microsoft Office 15" folder when it exists, else its
// plain sibling. The last hit of the search wins.
std::wstring SearchPair(const std::wstring& sOffice15, const std::wstring& sOffice) {
    const std::wstring sFolder = CommonModule::DoesDirExist(sOffice15) ? sOffice15 : sOffice;
    Collection hits;
    CommonModule::FindFiles(sFolder, L"winword.exe", hits, true);
    std::wstring sFound;
    for (const std::wstring& item : hits)
        if (!item.empty()) sFound = item;
    return sFound;
}

} // namespace

std::wstring LocateWordExe() {
    const std::wstring sDrive = EnvironmentValue(L"systemdrive");
    std::wstring sFound = SearchPair(sDrive + L"\\Program Files\\Microsoft Office 15",
                                     sDrive + L"\\Program Files\\Microsoft Office");
    if (!sFound.empty()) return sFound;
    return SearchPair(sDrive + L"\\Program Files (x86)\\Microsoft Office 15",
                      sDrive + L"\\Program Files (x86)\\Microsoft Office");
}

} // namespace Module1
