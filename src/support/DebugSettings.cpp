#include "support/DebugSettings.h"

#include "support/Probes.h"
#include "support/Registry.h"

#include <shlobj.h>

namespace CommonModule {

namespace {

constexpr wchar_t kSection[] = L"Debug";

std::wstring ReadValue(const std::wstring& sIniFile, const wchar_t* key) {
    return ReadSettingNoDebug(sIniFile, kSection, key);
}

bool IsLetterColon(const std::wstring& s) {
    return s.size() >= 2 && s[1] == L':' &&
           ((s[0] >= L'A' && s[0] <= L'Z') || (s[0] >= L'a' && s[0] <= L'z'));
}

// "C:" of "C:\Apps\", "\\server\share" of "\\server\share\Apps\".
std::wstring RootOf(const std::wstring& sAppPath) {
    if (IsLetterColon(sAppPath)) return sAppPath.substr(0, 2);
    if (sAppPath.starts_with(L"\\\\")) {
        const size_t server = sAppPath.find(L'\\', 2);
        const size_t share =
            server == std::wstring::npos ? server : sAppPath.find(L'\\', server + 1);
        return sAppPath.substr(0, share);
    }
    return {};
}

} // namespace

std::wstring ReadSettingNoDebug(const std::wstring& sIniFile, const wchar_t* section,
                                const wchar_t* key) {
    std::wstring buf(256, L'\0');
    for (;;) {
        const DWORD n = GetPrivateProfileStringW(section, key, L"", buf.data(),
                                                 static_cast<DWORD>(buf.size()), sIniFile.c_str());
        // n == size - 1 means the value may have been cut.
        if (n + 1 < buf.size() || buf.size() >= 32768) return buf.substr(0, n);
        buf.resize(buf.size() * 2);
    }
}

EventLogSettings ReadEventLogSettingsNoDebug(const std::wstring& sIniFile) {
    EventLogSettings settings;
    if (sIniFile.empty()) return settings;
    settings.bEnabled = ReadSettingNoDebug(sIniFile, L"EventLog", L"Enabled") != L"0";
    settings.bSuccess = ReadSettingNoDebug(sIniFile, L"EventLog", L"Success") == L"1";
    return settings;
}

std::wstring ResolveDebugFolderNoDebug(const std::wstring& sValue, const std::wstring& sAppPath) {
    std::wstring folder = ExpandedText(sValue);
    if (folder.empty()) {
        folder = sAppPath + L"Debug";
    } else if (folder.starts_with(L"\\\\")) {
        // a share, or a path in the "\\?\" form: as written
    } else if (folder[0] == L'\\') {
        folder = RootOf(sAppPath) + folder; // rooted on the executable's drive
    } else if (IsLetterColon(folder)) {
        // No current folder on that drive means anything to an unattended run.
        if (folder.size() == 2 || folder[2] != L'\\') folder.insert(2, L"\\");
    } else {
        folder = sAppPath + folder;
    }
    const size_t root = IsLetterColon(folder) ? 3 : 0;
    while (folder.size() > root && folder.back() == L'\\')
        folder.pop_back();
    return folder;
}

DebugSettings ReadDebugSettingsNoDebug(const std::wstring& sIniFile, const std::wstring& sAppPath) {
    DebugSettings settings;
    // An empty name would make the system read its own win.ini.
    if (!sIniFile.empty()) {
        settings.bToFile = ReadValue(sIniFile, L"ToFile") == L"1";
        settings.bVerbose = ReadValue(sIniFile, L"Verbose") == L"1";
    }
    settings.sFolder = ResolveDebugFolderNoDebug(
        sIniFile.empty() ? std::wstring() : ReadValue(sIniFile, L"Folder"), sAppPath);
    return settings;
}

DWORD CreateDebugFolderNoDebug(const std::wstring& sFolder) {
    if (DoesDirExistNoDebug(sFolder)) return ERROR_SUCCESS;
    // No owner window: the shell must not bring up its error UI in an unattended run.
    const int result = SHCreateDirectoryExW(nullptr, sFolder.c_str(), nullptr);
    if (DoesDirExistNoDebug(sFolder)) return ERROR_SUCCESS;
    return result != ERROR_SUCCESS ? static_cast<DWORD>(result) : ERROR_PATH_NOT_FOUND;
}

} // namespace CommonModule
