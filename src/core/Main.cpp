#include "core/Module1.h"

#include "support/AppSettings.h"
#include "support/Probes.h"
#include "support/ScopedWin.h"
#include "ui/WindowMode.h"

#include <commctrl.h>

#include <string>
#include <utility>

namespace Module1 {

HMODULE hShell32 = nullptr;
std::wstring sWordExePath;
std::wstring sUserTemplatesDir;

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

std::string SystemDllPath(const char* name) {
    char folder[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return name;
    return std::string(folder, n) + "\\" + name;
}

// Frees the shell library when Main ends, whichever way it ends.
struct Shell32Release {
    ~Shell32Release() {
        if (hShell32) FreeLibrary(std::exchange(hShell32, nullptr));
    }
};

} // namespace

void InitShellAndControls() {
    hShell32 = LoadLibraryA(SystemDllPath("shell32.dll").c_str());
    InitCommonControls();
}

int Main() {
    RestrictDllSearchToSystem();
    Shell32Release releaseShell32;
    InitShellAndControls();
    CommonModule::InitAppSettings(true, true);
    const std::wstring commandLine = CommandLineArguments();

    sWordExePath = LocateWordExe();
    if (sWordExePath.empty()) {
        if (!commandLine.empty()) return ExitWordMissing;
        MessageBoxW(nullptr, L"Could not locate an installed copy of Microsoft Word!", L"WARNING",
                    MB_OK);
    }

    sUserTemplatesDir =
        modSpecialFolders::GetSpecialFolder(modSpecialFolders::CSIDL_APPDATA_FOLDER) +
        L"\\Microsoft\\Templates";
    const std::wstring app = CommonModule::AppPath();
    for (const wchar_t* folder : {L"Templates", L"AltIcons", L"Configs"})
        CommonModule::CreateDirPath(app + folder);

    if (commandLine.empty()) return WindowMode::Run();
    return RunCommandLine(commandLine);
}

} // namespace Module1
