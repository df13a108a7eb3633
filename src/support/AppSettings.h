#pragma once
// Application-wide settings fixed at startup, the debug file channel, and the
// executable's own folder and version.
#include <string>

namespace CommonModule {

extern std::wstring sAppINI;    // path of the application INI file: the log switches
extern std::wstring sDebugFile; // the current debug file, once file logging chose one
extern bool bDebugToFile;       // file channel; ToFile=1 in the INI file turns it on
extern bool bVerboseDebug;      // trace lines of the string routines

void InitAppSettings(bool bSetAppINI, bool bUseAppPath);
std::wstring AppPath(); // the executable's folder, always ending in "\"
std::wstring AppVersionString(const std::wstring& sStage, const std::wstring& sNote);
short CountFiles(std::wstring sPath, std::wstring sPattern);
bool SaveTextToFileNoDebug(const std::wstring& sFileName, const std::wstring& sText,
                           bool bOverwrite, bool bNoDuplicates);
std::wstring StripNameFromPathNoDebug(const std::wstring& sPath);

} // namespace CommonModule
