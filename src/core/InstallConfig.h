#pragma once
// Installing configurations: the template into the user's templates folder and, when
// asked and configured, the desktop shortcut.
#include <functional>
#include <string>
#include <vector>

namespace Module1 {

// Whether every step of an installation succeeded and, when one did not, why the first
// failed step failed.
// A configuration for other groups than the user's installs nothing and succeeds.
struct InstallResult {
    bool bOk = true;
    std::wstring sReason; // as an administrator reads it; when bNotForUser, its groups
    bool bNotForUser = false;
    explicit operator bool() const noexcept { return bOk; }
};

struct InstallRun;
struct InstallDecision;

// Where an install writes a shortcut (what it starts: ShortcutFor in core/OfficeApps.h).
std::wstring ShortcutPath(const std::wstring& sDesktopFolder, const std::wstring& sShortcutName);

// Decides every configuration first, then acts on each decision in turn.
InstallResult InstallConfig(InstallRun& run, const std::wstring& sConfigName, bool bMakeShortcut);
// afterEach runs after each configuration's act (a window repaints).
std::vector<InstallResult> InstallConfigs(InstallRun& run, const std::vector<std::wstring>& names,
                                          bool bMakeShortcut,
                                          const std::function<void()>& afterEach = {});
// The decisions alone, from what the run reads: nothing is written. What they claim
// against removal is noted in the run.
std::vector<InstallDecision> DecideRun(InstallRun& run, const std::vector<std::wstring>& names,
                                       bool bMakeShortcut);
// Every configuration in "Configs", with shortcuts; true when each one installed.
bool InstallAllConfigs(InstallRun& run);

} // namespace Module1
