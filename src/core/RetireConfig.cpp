#include "core/RetireConfig.h"

#include "core/RetireConfigAct.h"

#include "core/AppState.h"
#include "core/ConfigFormat.h"
#include "core/Groups.h"
#include "core/InstallConfig.h"
#include "core/InstallRun.h"
#include "core/OfficeApps.h"
#include "core/SafePaths.h"
#include "core/Unchanged.h"
#include "support/AppPath.h"
#include "support/DebugLog.h"
#include "support/Probes.h"
#include "support/ScopedWin.h"
#include "support/Strings.h"

#include <optional>
#include <vector>

namespace Module1 {

namespace {

using CommonModule::DPrint;

// What a configuration file says its install writes.
RetiredGives GivesOf(const ConfigValues& value, bool judgesUnrecorded) {
    RetiredGives gives{value(kKeyTemplateFile),
                       {},
                       value(kKeyShortcutName),
                       ConfiguredShortcut(value),
                       judgesUnrecorded};
    // Without a shortcut an install copies no icon.
    if (!gives.shortcutName.empty()) gives.shortcutIcon = value(kKeyShortcutIcon);
    return gives;
}

// A configuration file that reads as nothing at all: why, or "" when it has its section.
std::wstring Unseen(const ConfigValues& values, const std::wstring& sConfigFile) {
    return values.AllEmpty() ? WhyConfigUnseen(sConfigFile) : std::wstring();
}

// Reads a configuration file that is to be removed; false, with a line, when it says
// nothing of what it installs.
bool ReadRemoved(const std::wstring& sConfigName, const std::wstring& sConfigFile,
                 std::optional<ConfigValues>& values) {
    values.emplace(sConfigFile);
    const std::wstring unseen = Unseen(*values, sConfigFile);
    if (unseen.empty()) return true;
    CommonModule::DPrintStepFailed(L"RemoveConfig: " + sConfigName + L": " + unseen);
    return false;
}

// A retired configuration that a configuration in "Configs" has the name of, as the
// file system compares names, is that one's namesake: the record of that name is the
// current one's, and the retired one is skipped, with one line. Both "/installall" and
// "/remove" ask this, after NoteCurrentConfigs.
bool Hidden(const InstallRun& run, const std::wstring& sName, const std::wstring& sRetiredFile) {
    const auto current = run.current.listed.find(FoldedName(sName));
    if (current == run.current.listed.end()) return false;
    DPrint(L"RemoveConfig: " + sName + L": skipped \"" + sRetiredFile + L"\", the current \"" +
           ConfigFilePath(current->second) + L"\" has its name");
    return true;
}

} // namespace

bool Blind(const InstallRun& run, const wchar_t* who) {
    if (run.current.blind.empty()) return false;
    CommonModule::DPrintStepFailed(std::wstring(who) +
                                   L": nothing removed, not every current configuration could be "
                                   L"read: " +
                                   run.current.blind);
    return true;
}

LinkFields ConfiguredShortcut(const ConfigValues& value) {
    const std::wstring icon = value(kKeyShortcutIcon);
    const ShortcutStart start = ShortcutFor(value(kKeyTemplateFile));
    return StoredLinkFields(
        value(kKeyShortcutDesc), start.target, sUserTemplatesDir, start.arguments, 0, 0, SW_SHOW,
        icon.empty() ? icon : sUserTemplatesDir + L"\\" + CommonModule::StripPath(icon));
}

bool NoteCurrentConfigs(InstallRun& run, const std::wstring& sExcept) {
    std::vector<std::wstring> names;
    std::wstring why;
    if (!ListEveryConfigName(names, why)) run.current.Blind(why);
    const std::wstring except = FoldedName(sExcept);
    for (const auto& name : names) {
        const std::wstring folded = FoldedName(name);
        run.current.listed.emplace(folded, name);
        if (!sExcept.empty() && folded == except) continue;
        // One installed in this run has said what it claims (KeepRecord in FormerInstalls.cpp).
        if (run.current.configs.contains(folded)) continue;
        if (!SafePaths::UsableName(name, why)) {
            run.current.Blind(name + L": refused configuration name (" + why + L")");
            continue;
        }
        const std::wstring cfg = ConfigFilePath(name);
        const ConfigValues values(cfg);
        if (const std::wstring unseen = Unseen(values, cfg); !unseen.empty())
            run.current.Blind(name + L": " + unseen);
        // One for other users claims nothing, its record neither; one that may be this
        // user's keeps its own.
        if (run.groups.Decide(ParseGroups(values(kKeyGroups)), why) == Applies::No) continue;
        const RetiredGives gives = GivesOf(values, false);
        run.current.NoteFile(gives.templateFile);
        run.current.NoteShortcut(gives.shortcutName);
        run.current.NoteFile(gives.shortcutIcon);
        run.current.NoteRecord(ReadRecordedPaths(name));
        run.current.configs.insert(folded);
    }
    return run.current.blind.empty();
}

bool RemoveRecordedInstalls(InstallRun& run, const std::wstring& sConfigName,
                            const ConfigValues& values, bool judgesUnrecorded) {
    return RemoveInstalls(run, sConfigName, ReadInstallRecord(sConfigName),
                          GivesOf(values, judgesUnrecorded));
}

bool RemoveConfig(InstallRun& run, const std::wstring& sConfigName) {
    std::wstring why;
    if (!SafePaths::UsableName(sConfigName, why) || sConfigName.empty()) {
        CommonModule::DPrintStepFailed(L"RemoveConfig: refused configuration name \"" +
                                       sConfigName + L"\" (" +
                                       (sConfigName.empty() ? L"no name given" : why) + L")");
        return false;
    }
    const std::wstring retired = CommonModule::AppPath() + L"Retired\\" + sConfigName + L".cfg";
    const bool isRetired = CommonModule::IsExistingFile(retired);
    if (!isRetired && !CommonModule::IsExistingFile(ConfigFilePath(sConfigName))) {
        CommonModule::DPrintStepFailed(
            L"RemoveConfig: " + sConfigName +
            L": no configuration of that name in \"Retired\" or \"Configs\"");
        return false;
    }
    NoteCurrentConfigs(run, isRetired ? std::wstring() : sConfigName);
    if (Blind(run, L"RemoveConfig")) return false;
    if (isRetired && Hidden(run, sConfigName, retired)) return true;
    std::optional<ConfigValues> values;
    return ReadRemoved(sConfigName, isRetired ? retired : ConfigFilePath(sConfigName), values) &&
           RemoveRecordedInstalls(run, sConfigName, *values, true);
}

bool RemoveConfigsNotForUser(InstallRun& run) {
    if (run.notForUser.empty()) return true;
    NoteCurrentConfigs(run, {});
    if (Blind(run, L"RemoveConfigsNotForUser")) return false;
    bool ok = true;
    // By the record alone: without one, a file of that name may be the user's own. The
    // configuration file is read only for a record that holds something.
    for (const auto& name : run.notForUser)
        if (const InstallRecord record = ReadInstallRecord(name);
            !record.Empty() &&
            !RemoveInstalls(run, name, record, GivesOf(ConfigValues(ConfigFilePath(name)), false)))
            ok = false;
    return ok;
}

bool RemoveRetiredConfigs(InstallRun& run) {
    const std::wstring folder = CommonModule::AppPath() + L"Retired\\";
    WIN32_FIND_DATAW found{};
    ScopedWin::UniqueFind search(FindFirstFileExW((folder + L"*.cfg").c_str(), FindExInfoBasic,
                                                  &found, FindExSearchNameMatch, nullptr,
                                                  FIND_FIRST_EX_LARGE_FETCH));
    if (!search) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
        CommonModule::DPrintStepFailed(L"RemoveRetiredConfigs: cannot list \"" + folder + L"\": " +
                                       CommonModule::Win32Error(error).description);
        return false;
    }
    std::vector<std::wstring> files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(found.cFileName);
    } while (FindNextFileW(search.get(), &found));
    const bool listed = GetLastError() == ERROR_NO_MORE_FILES;
    search.reset();
    if (files.empty()) return listed;
    NoteCurrentConfigs(run, {});
    if (Blind(run, L"RemoveRetiredConfigs")) return false;
    bool ok = listed;
    if (!listed)
        CommonModule::DPrintStepFailed(L"RemoveRetiredConfigs: the listing of \"" + folder +
                                       L"\" stopped early");
    for (const auto& file : files) {
        const std::wstring name = ConfigNameFromFile(file);
        if (Hidden(run, name, folder + file)) continue;
        std::optional<ConfigValues> values;
        if (!ReadRemoved(name, folder + file, values) ||
            !RemoveRecordedInstalls(run, name, *values, true))
            ok = false;
    }
    return ok;
}

} // namespace Module1
