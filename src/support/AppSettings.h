#pragma once
// Application-wide settings fixed at startup, the switches of the debug log, and the
// start banner.
#include "support/AppPath.h"
#include "support/DebugSettings.h"

#include <string>

namespace CommonModule {

extern std::wstring sAppINI;              // path of the application INI file: the log switches
extern std::wstring sDebugFile;           // the current debug file, once file logging chose one
extern bool bDebugToFile;                 // file channel; ToFile=1 in the INI file turns it on
extern bool bVerboseDebug;                // trace lines of the string routines
extern EventLogSettings eventLogSwitches; // [EventLog] of the INI file, read at startup
extern bool bMacroChecks;                 // [Office] MacroChecks, read with [EventLog]

// Chooses the INI path, prepares the debug file and installs the log's file channel,
// then writes the start banner.
void InitAppSettings(bool bSetAppINI, bool bUseAppPath);
std::wstring AppVersionString(const std::wstring& sStage, const std::wstring& sNote);

} // namespace CommonModule
