#include "support/AppSettings.h"

#include "support/CountFiles.h"
#include "support/DebugFile.h"
#include "support/DebugLog.h"
#include "support/DebugSettings.h"
#include "support/Probes.h"
#include "support/SettingsCheck.h"
#include "support/VersionInfo.h"

#include <windows.h>

#include <vector>

namespace CommonModule {

std::wstring sAppINI;
std::wstring sDebugFile;
bool bDebugToFile = false;
bool bVerboseDebug = false;
EventLogSettings eventLogSwitches;

namespace {

std::wstring ShortDateText() {
    wchar_t buf[80] = {};
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf, 80) <= 0)
        return {};
    return buf;
}

std::wstring TimeOfDayText() {
    wchar_t buf[64] = {};
    if (GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buf, 64) <= 0) return {};
    return buf;
}

// The file channel: each line, with the time in front, appended to the debug file
// while the switch is on. A line that cannot be written is lost, nothing more.
void WriteToDebugFile(const std::wstring& line) {
    if (bDebugToFile) SaveTextToFileNoDebug(sDebugFile, TimeOfDayText() + line, false, false);
}

// Chooses the numbered debug file in the folder the settings name ("Debug" beside the
// executable unless the INI file says otherwise), or turns the channel off when that
// folder cannot be made: the line to say so then names the folder and the reason.
std::wstring PrepareDebugFile(bool bSetAppINI, const std::wstring& folder) {
    std::wstring failed;
    if (const DWORD error = CreateDebugFolderNoDebug(folder)) {
        const ErrorInfo why = Win32Error(error);
        ReportError(L"InitAppSettings", why, {{L"bSetAppINI", ToText(bSetAppINI)}});
        failed = L"The log folder \"" + folder + L"\" cannot be used, so no log file is written: " +
                 why.description;
    }
    if (!DoesDirExistNoDebug(folder))
        bDebugToFile = false;
    else
        sDebugFile = folder + (folder.ends_with(L'\\') ? L"" : L"\\") + L"DebugOutput - " +
                     ExeName() + L" " + std::to_wstring(CountFiles(folder, L"") + 1) + L".txt";
    return failed;
}

} // namespace

std::wstring AppVersionString(const std::wstring& sStage, const std::wstring& sNote) {
    return VersionInfo::Describe(VersionInfo::ReadFromModule(nullptr), sStage, sNote);
}

void InitAppSettings(bool bSetAppINI, bool bUseAppPath) {
    (void)bUseAppPath; // the INI file always sits beside the executable
    if (bSetAppINI) sAppINI = AppPath() + ExeName() + L".ini";
    // The switches only turn logging on: what a developer built in stays.
    const DebugSettings settings = ReadDebugSettingsNoDebug(sAppINI, AppPath());
    if (settings.bToFile) bDebugToFile = true;
    if (settings.bVerbose) bVerboseDebug = true;
    eventLogSwitches = ReadEventLogSettingsNoDebug(sAppINI);
    SetFileSink(WriteToDebugFile);
    // What became of the log folder's setting is said after the banner, so that it
    // stands in the run it concerns.
    std::vector<std::wstring> notes;
    if (bDebugToFile && !settings.sUnsetVariable.empty())
        notes.push_back(L"The log folder \"" + settings.sWritten + L"\" names the variable " +
                        settings.sUnsetVariable + L", which is not set: the log goes to \"" +
                        settings.sFolder + L"\"");
    if (bDebugToFile) notes.push_back(PrepareDebugFile(bSetAppINI, settings.sFolder));
    for (std::wstring& mistake : SettingsMistakesNoDebug(sAppINI))
        notes.push_back(std::move(mistake));
    DPrint(L"");
    DPrint(ShortDateText() + L" - Starting " + AppVersionString(L"", L""));
    DPrint(L"----------------------------------------");
    for (const std::wstring& note : notes)
        if (!note.empty()) DPrint(note);
}

} // namespace CommonModule
