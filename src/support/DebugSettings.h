#pragma once
// The administrator's switches for the debug log, section [Debug] of the application
// INI file. They are read before the debug file exists, so nothing here reports.
#include <windows.h>

#include <string>

namespace CommonModule {

struct DebugSettings {
    bool bToFile = false;  // ToFile=1
    bool bVerbose = false; // Verbose=1
    std::wstring sFolder;  // Folder=, resolved; never ends in "\" except at a drive root
};

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
