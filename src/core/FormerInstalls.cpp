#include "core/FormerInstalls.h"

#include "core/ConfigFormat.h"
#include "core/InstallRun.h"
#include "core/RetireConfig.h"
#include "core/RetireConfigAct.h"
#include "core/SafePaths.h"

#include <utility>

namespace Module1 {

InstallRecord FormerInstalls(const InstallRecord& recorded, const ConfigValues& values) {
    InstallRecord former = NoLongerGiven(recorded, GivesOf(values, false));
    std::wstring why;
    const auto tells = [&](const wchar_t* key) { return SafePaths::UsableName(values(key), why); };
    const std::wstring templateFile = values(kKeyTemplateFile);
    if (templateFile.empty() || templateFile.find_first_of(L"*?") != std::wstring::npos ||
        !tells(kKeyTemplateFile))
        former.templateCopy = {};
    if (!tells(kKeyShortcutName)) former.shortcut = {};
    if (!tells(kKeyShortcutIcon)) former.iconCopy = {};
    return former;
}

bool KeepRecord(InstallRun& run, const std::wstring& sConfigName, InstallRecord landed,
                const std::optional<ConfigValues>& applied, std::wstring& why) {
    run.current.NoteRecord(landed);
    const std::optional<InstallRecord> recorded = ReadRecordUnlessHolds(sConfigName, landed);
    if (!recorded) return true;
    const InstallRecord former = applied ? FormerInstalls(*recorded, *applied) : InstallRecord{};
    // What the record holds and the configuration still installs stays claimed; a
    // former item's entry waits for its judgement, and its successor with it.
    InstallRecord kept = *recorded, successors;
    if (!former.templateCopy.path.empty()) {
        kept.templateCopy = {};
        successors.templateCopy = std::exchange(landed.templateCopy, {});
    }
    if (!former.iconCopy.path.empty()) {
        kept.iconCopy = {};
        successors.iconCopy = std::exchange(landed.iconCopy, {});
    }
    if (!former.shortcut.file.path.empty()) {
        kept.shortcut = {};
        successors.shortcut = std::exchange(landed.shortcut, {});
    }
    run.current.NoteRecord(kept);
    if (!former.Empty()) run.formerInstalls.push_back({sConfigName, former, successors});
    return KeepInstallRecord(sConfigName, landed, why);
}

bool RemoveFormerInstalls(InstallRun& run) {
    if (run.formerInstalls.empty()) return true;
    NoteCurrentConfigs(run, {});
    if (Blind(run, L"RemoveFormerInstalls")) return false;
    bool ok = true;
    for (const auto& former : run.formerInstalls)
        ok = RemoveInstalls(run, former.config, former.items, GivesOfRecorded(former.items),
                            &former.successors) &&
             ok;
    return ok;
}

} // namespace Module1
