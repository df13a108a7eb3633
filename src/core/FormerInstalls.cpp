#include "core/FormerInstalls.h"

#include "core/InstallDecision.h"
#include "core/InstallRun.h"
#include "core/RetireConfig.h"
#include "core/RetireConfigAct.h"
#include "core/SafePaths.h"

#include <utility>

namespace Module1 {

InstallRecord FormerInstalls(const InstallRecord& recorded, const InstallDecision& d) {
    if (!d.bApplies) return {};
    InstallRecord former =
        NoLongerGiven(recorded, {d.templateFile, d.shortcutIcon, d.shortcutName, {}, false});
    std::wstring why;
    const auto tells = [&](const std::wstring& value) { return SafePaths::UsableName(value, why); };
    if (d.templateFile.empty() || d.templateFile.find_first_of(L"*?") != std::wstring::npos ||
        !tells(d.templateFile))
        former.templateCopy = {};
    if (!d.bShortcutsAsked || !tells(d.shortcutName)) former.shortcut = {};
    if (!d.bShortcutsAsked || !tells(d.shortcutIcon)) former.iconCopy = {};
    return former;
}

bool KeepRecord(InstallRun& run, const InstallDecision& d, InstallRecord landed,
                std::wstring& why) {
    const std::wstring& sConfigName = d.config;
    run.current.NoteRecord(landed);
    const std::optional<InstallRecord> recorded = ReadRecordUnlessHolds(sConfigName, landed);
    if (!recorded) return true;
    const InstallRecord former = FormerInstalls(*recorded, d);
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
