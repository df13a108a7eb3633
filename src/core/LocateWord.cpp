#include "core/LocateWord.h"

#include "core/OfficeApps.h"

#include "support/Collection.h"
#include "support/DebugLog.h"
#include "support/FileSearch.h"
#include "support/Probes.h"
#include "support/Text.h"

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

// One search below the folder for every application's executable; the last hit of
// each name counts, and fills in an application that no earlier search found.
void Search(const std::wstring& sFolder, OfficeExes& found) {
    std::wstring patterns;
    for (const OfficeApp& app : OfficeApps())
        patterns += (patterns.empty() ? L"" : L";") + std::wstring(app.exeName);
    // Click-to-Run stages a downloaded update's files, executables included, in the
    // Office folder's "Updates" and deletes them once the update is applied: a shortcut
    // to one of those would soon point at nothing. Its tree is not walked either.
    Collection hits;
    CommonModule::FindFiles(sFolder, patterns, hits, true, L"Updates");
    OfficeExes here(found.size());
    for (const std::wstring& item : hits) {
        const std::wstring_view name = std::wstring_view(item).substr(item.find_last_of(L'\\') + 1);
        for (size_t i = 0; i < here.size(); ++i)
            if (!item.empty() && Text::EqualsNoCase(name, OfficeApps()[i].exeName)) here[i] = item;
    }
    for (size_t i = 0; i < found.size(); ++i)
        if (found[i].empty()) found[i] = std::move(here[i]);
}

// One pair of candidates: the "Microsoft Office 15" folder when it exists, else its
// plain sibling. An old install can leave the "15" folder behind empty, so when Word
// is not found there the sibling is searched too. Word alone decides which folders are
// searched: the other applications cost no search of their own.
bool SearchPair(const std::wstring& sOffice15, const std::wstring& sOffice, OfficeExes& found) {
    if (CommonModule::DoesDirExist(sOffice15)) {
        Search(sOffice15, found);
        if (!found[0].empty()) return true;
    }
    Search(sOffice, found);
    return !found[0].empty();
}

std::wstring Unquoted(const std::wstring& s) {
    return s.size() >= 2 && s.front() == L'"' && s.back() == L'"' ? s.substr(1, s.size() - 2) : s;
}

} // namespace

CommonModule::RegistryValue ReadAppPath(const wchar_t* sExeName, REGSAM samView) {
    return CommonModule::ReadRegistryValue(
        HKEY_LOCAL_MACHINE,
        std::wstring(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\") + sExeName,
        nullptr, samView);
}

std::wstring RegisteredExe(const AppPathReader& read) {
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

OfficeExes LocateWordExe(std::vector<bool>* registered) {
    OfficeExes found(OfficeApps().size());
    if (registered) registered->assign(found.size(), false);
    const std::wstring sDrive = EnvironmentValue(L"systemdrive");
    if (!SearchPair(sDrive + L"\\Program Files\\Microsoft Office 15",
                    sDrive + L"\\Program Files\\Microsoft Office", found))
        SearchPair(sDrive + L"\\Program Files (x86)\\Microsoft Office 15",
                   sDrive + L"\\Program Files (x86)\\Microsoft Office", found);
    for (size_t i = 0; i < found.size(); ++i) {
        if (!found[i].empty()) continue;
        const OfficeApp& app = OfficeApps()[i];
        found[i] = RegisteredExe([&](REGSAM view) { return ReadAppPath(app.exeName, view); });
        if (!found[i].empty() && registered) (*registered)[i] = true;
        if (!found[i].empty())
            CommonModule::DPrint(L"LocateWordExe: none below Program Files; " +
                                 std::wstring(app.name) + L" as registered in App Paths: \"" +
                                 found[i] + L"\"");
    }
    return found;
}

} // namespace Module1
