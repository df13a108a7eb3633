#pragma once
// The application core: startup and dispatch, finding Word, configurations,
// installing, command-line actions.
#include <windows.h>

#include <string>
#include <vector>

namespace Module1 {

// Process-wide state, written during startup only.
extern HMODULE hShell32;
extern std::wstring sWordExePath;
extern std::wstring sUserTemplatesDir;

// Exit codes of silent mode.
enum ExitCode : int {
    ExitOk = 0,          // the action ran and every step succeeded
    ExitStepFailed = 1,  // the action ran and a step failed
    ExitNoAction = 2,    // the command line matched no action
    ExitWordMissing = 3, // Word was not found, so nothing ran
};

int Main();
void InitShellAndControls();
std::wstring LocateWordExe();

// The argument string of the process: what follows the program's own path, never
// split into words.
std::wstring CommandLineArguments();
std::wstring ArgumentsFromCommandLine(const std::wstring& sFullCommandLine);

// Configurations.
inline constexpr wchar_t kConfigSection[] = L"Config";
inline constexpr wchar_t kKeyTemplateFile[] = L"TemplateFile";
inline constexpr wchar_t kKeyShortcutName[] = L"ShortcutName";
inline constexpr wchar_t kKeyShortcutDesc[] = L"ShortcutDesc";
inline constexpr wchar_t kKeyShortcutIcon[] = L"ShortcutIcon";
std::wstring ConfigFilePath(const std::wstring& sConfigName);
std::wstring ConfigNameFromFile(const std::wstring& sConfigFilePath);
std::vector<std::wstring> ListConfigNames();

// Whether every step of an installation succeeded and, when one did not, why the first
// failed step failed.
struct InstallResult {
    bool bOk = true;
    std::wstring sReason; // as an administrator reads it; empty when bOk
    explicit operator bool() const noexcept { return bOk; }
};
InstallResult InstallConfig(const std::wstring& sConfigName, bool bMakeShortcut);
bool InstallAllConfigs();
ExitCode RunCommandLine(const std::wstring& sCommandLine);

} // namespace Module1
