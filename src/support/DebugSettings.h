#pragma once
// The administrator's switches for the debug log, section [Debug] of the application
// INI file, and for the event a silent run leaves, section [EventLog]. They are read
// before the debug file exists, so nothing here reports (but for the INI reader's own
// line when memory runs out).
#include <windows.h>

#include <string>
#include <vector>

namespace CommonModule {

struct DebugSettings {
    bool bToFile = false;  // ToFile=1
    bool bVerbose = false; // Verbose=1
    std::wstring sFolder;  // Folder=, resolved; never ends in "\" except at a drive root
    std::wstring sWritten; // Folder= as written
    // "%NAME%" when Folder= names a variable that is not set; sFolder is then the folder
    // of an empty Folder=.
    std::wstring sUnsetVariable;
};

struct EventLogSettings {
    bool bEnabled = true;  // Enabled=0 writes no event
    bool bSuccess = false; // Success=1 also writes one for a run that fully succeeded
};

// The values of sKeys in one section of the application INI file, in whichever encoding
// it was saved (ANSI, UTF-16, UTF-8 with or without its mark); "" for each when there
// is no file name, file, section or key.
std::vector<std::wstring> ReadSettingsNoDebug(const std::wstring& sIniFile,
                                              const std::wstring& sSection,
                                              const std::vector<std::wstring>& sKeys);
// [EventLog] and the switch of the macro template checks ([Office] MacroChecks=0 turns
// them off), in one read of the file.
struct RunSwitches {
    EventLogSettings eventLog;
    bool bMacroChecks = true;
};
RunSwitches ReadRunSwitchesNoDebug(const std::wstring& sIniFile);

// A missing file, section or key leaves its switch off and the folder at "Debug" beside
// the executable.
DebugSettings ReadDebugSettingsNoDebug(const std::wstring& sIniFile, const std::wstring& sAppPath);

// The folder an administrator wrote, as this process reads it: environment variables
// expanded, a relative folder taken below sAppPath (which ends in "\"), "Debug" when
// empty.
std::wstring ResolveDebugFolderNoDebug(const std::wstring& sValue, const std::wstring& sAppPath);

// Creates the folder with its missing parents: ERROR_SUCCESS when a folder stands there
// afterwards, otherwise the system's error.
DWORD CreateDebugFolderNoDebug(const std::wstring& sFolder);

} // namespace CommonModule
