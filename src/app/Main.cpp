#include "app/Main.h"

#include "core/CommandLine.h"
#include "core/EventSource.h"
#include "core/ExitCodes.h"
#include "core/RunEnd.h"
#include "core/RunReport.h"
#include "core/Startup.h"
#include "shell/ComInit.h"
#include "support/AppSettings.h"
#include "support/DebugLog.h"
#include "support/ScopedWin.h"
#include "ui/WindowMode.h"

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

namespace Module1 {

namespace {

// The process runs elevated from a folder that others may be able to write to: no
// DLL is to be picked up from there. SetDefaultDllDirectories is looked up because
// Windows 7 has it only with a later update.
void RestrictDllSearchToSystem() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto set = kernel ? reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
                            GetProcAddress(kernel, "SetDefaultDllDirectories")))
                      : nullptr;
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L""); // also takes the current folder out of the search
}

// Wine starts its crash window whatever the error mode says; this last filter ends the
// process with the exception's code instead, on Windows and Wine alike.
LONG WINAPI EndWithoutWindow(EXCEPTION_POINTERS*) {
    return EXCEPTION_EXECUTE_HANDLER;
}

std::wstring SystemDllPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return name;
    return std::wstring(folder, n) + L"\\" + name;
}

// The shell library stays loaded while the program runs.
[[nodiscard]] ScopedWin::UniqueLibrary InitShellAndControls() {
    ScopedWin::UniqueLibrary shell32(LoadLibraryW(SystemDllPath(L"shell32.dll").c_str()));
    InitCommonControls();
    return shell32;
}

// In silent mode a missing Word ends the run before anything happens; the window
// warns and goes on. False when the run ends.
bool GoOnWithoutWord(const std::wstring& commandLine) {
    if (!commandLine.empty()) return false;
    MessageBoxW(nullptr, L"Could not locate an installed copy of Microsoft Word!", L"WARNING",
                MB_OK);
    return true;
}

} // namespace

int Main() {
    RestrictDllSearchToSystem();
    const std::wstring commandLine = CommandLineArguments();
    // Silent mode runs from logon scripts with no one to answer: no crash, critical-error
    // or missing-media dialog may appear and hold the script.
    if (!commandLine.empty()) {
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
        SetUnhandledExceptionFilter(EndWithoutWindow);
    }
    const ShellCom::Session com;
    const ScopedWin::UniqueLibrary shell32 = InitShellAndControls();
    CommonModule::InitAppSettings(true, true);
    // The event source is the machine's, not a logon's: it needs no Word and no folders.
    if (const Action action = ParseCommandLine(commandLine).action;
        action == Action::RegisterEvents || action == Action::UnregisterEvents)
        return EndSilentRun(commandLine, ChangeEventSource(action == Action::RegisterEvents));
    // A check writes nothing: no event, no data folder made.
    if (ParseCommandLine(commandLine).action == Action::Check) {
        FindWordAndTemplates();
        return EndSilentRun(commandLine, RunCommandLine(commandLine));
    }
    // The window shows its own report; a silent run leaves its result in the event log.
    std::optional<RunReport> report;
    if (!commandLine.empty()) report.emplace();

    const StartupFindings found = FindWordAndTemplates();
    if (found.wordExe.empty() && !GoOnWithoutWord(commandLine)) {
        CommonModule::DPrintStepFailed(
            L"RunCommandLine: nothing ran: Word (WINWORD.EXE) was not found below the Office "
            L"folders of Program Files or in App Paths");
        return EndSilentRun(commandLine, report->Finish(commandLine, ExitWordMissing,
                                                        CommonModule::eventLogSwitches));
    }
    if (found.userTemplates.empty() && commandLine.empty())
        MessageBoxW(nullptr,
                    L"Could not find your application data folder: templates cannot be installed.",
                    L"WARNING", MB_OK | MB_ICONWARNING);
    CreateDataFolders();

    if (commandLine.empty()) return WindowMode::Run();
    const ExitCode code = RunCommandLine(commandLine, report->tally);
    return EndSilentRun(commandLine,
                        report->Finish(commandLine, code, CommonModule::eventLogSwitches));
}

} // namespace Module1
