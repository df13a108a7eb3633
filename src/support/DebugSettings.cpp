#include "support/DebugSettings.h"

#include "support/IniValues.h"
#include "support/Probes.h"
#include "support/Registry.h"

#include <shlobj.h>

namespace CommonModule {

namespace {

constexpr wchar_t kSection[] = L"Debug";

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

// The first "%NAME%" in the text that names no environment variable of this process,
// or "" when every one is set.
std::wstring UnsetVariableNoDebug(const std::wstring& sText) {
    for (size_t open = sText.find(L'%'); open != std::wstring::npos;) {
        const size_t close = sText.find(L'%', open + 1);
        if (close == std::wstring::npos) break;
        const std::wstring name = sText.substr(open + 1, close - open - 1);
        if (!name.empty() && !GetEnvironmentVariableW(name.c_str(), nullptr, 0))
            return L"%" + name + L"%";
        // "%%" names nothing, and its second "%" may open a variable.
        open = name.empty() ? close : sText.find(L'%', close + 1);
    }
    return {};
}

} // namespace

RunSwitches ReadRunSwitchesNoDebug(const std::wstring& sIniFile) {
    RunSwitches switches;
    if (sIniFile.empty()) return switches;
    const std::vector<std::wstring> values = ReadIniKeys(
        sIniFile,
        {{L"EventLog", L"Enabled"}, {L"EventLog", L"Success"}, {L"Office", L"MacroChecks"}});
    switches.eventLog.bEnabled = values[0] != L"0";
    switches.eventLog.bSuccess = values[1] == L"1";
    switches.bMacroChecks = values[2] != L"0";
    return switches;
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

std::vector<std::wstring> ReadSettingsNoDebug(const std::wstring& sIniFile,
                                              const std::wstring& sSection,
                                              const std::vector<std::wstring>& sKeys) {
    // An empty name would make the system read its own win.ini.
    if (sIniFile.empty()) return std::vector<std::wstring>(sKeys.size());
    return ReadIniValues(sIniFile, sSection, sKeys);
}

DebugSettings ReadDebugSettingsNoDebug(const std::wstring& sIniFile, const std::wstring& sAppPath) {
    const std::vector<std::wstring> values =
        ReadSettingsNoDebug(sIniFile, kSection, {L"ToFile", L"Verbose", L"Folder"});
    DebugSettings settings;
    settings.bToFile = values[0] == L"1";
    settings.bVerbose = values[1] == L"1";
    settings.sWritten = values[2];
    settings.sUnsetVariable = UnsetVariableNoDebug(values[2]);
    // A variable that does not expand would name a folder "%NAME%": where no folder is set.
    settings.sFolder = ResolveDebugFolderNoDebug(
        settings.sUnsetVariable.empty() ? values[2] : std::wstring(), sAppPath);
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
