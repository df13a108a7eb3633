#include "core/InstallConfig.h"

#include "core/AppState.h"
#include "core/ConfigFormat.h"
#include "core/InstallAct.h"
#include "core/InstallDecision.h"
#include "core/InstallRun.h"
#include "core/SourceCopy.h"
#include "core/Unchanged.h"
#include "support/Probes.h"

namespace Module1 {

namespace {

// The run's answers to a decision's questions: reads only, each asked as the run has
// always asked it (its listings first).
class RunWorld final : public InstallWorld {
  public:
    explicit RunWorld(InstallRun& run) : run_(run) {}

    bool TurnHeld(std::wstring& why) override {
        why = run_.turn.why();
        return run_.turn.held();
    }
    ConfigValues Read(const std::wstring& sConfigFile) override {
        return ConfigValues(sConfigFile);
    }
    bool IsFile(const std::wstring& sPath) override { return CommonModule::IsExistingFile(sPath); }
    std::wstring WhyUnseen(const std::wstring& sConfigFile) override {
        return WhyConfigUnseen(sConfigFile);
    }
    Applies Groups(const std::vector<std::wstring>& groups, std::wstring& why) override {
        return run_.groups.Decide(groups, why);
    }
    bool TemplatesUsable(std::wstring& why) override {
        return run_.userFolders.TemplatesFolderUsable(why);
    }
    std::wstring Desktop(std::wstring& why) override {
        return run_.userFolders.UsableDesktopFolder(why);
    }
    bool Stands(const std::wstring& sFolder, const std::wstring& sName) override {
        return run_.knownNames.MayHoldUnwritten(sFolder, sName);
    }
    bool CopyInPlace(const std::wstring& sSource, const std::wstring& sFolder) override {
        return Module1::CopyInPlace(run_, sSource, sFolder);
    }
    bool SourceThere(const std::wstring& sSource) override {
        return Module1::SourceThere(run_, sSource);
    }
    bool SourceEmpty(const std::wstring& sSource) override {
        return Module1::SourceEmpty(run_, sSource);
    }
    std::wstring WhyNotReadable(const std::wstring& sPath, bool& missing) override {
        return CommonModule::WhyNotReadable(sPath, missing);
    }
    ShortcutStart Start(const std::wstring& sTemplateFile) override {
        return ShortcutFor(sTemplateFile);
    }
    LinkVerdict LinkInPlace(const std::wstring& sConfigName, const LinkPlan& link) override {
        return Module1::LinkInPlace(run_, ReadRecordedShortcut(sConfigName), link.description,
                                    link.file, link.target, link.workingFolder, link.arguments, 0,
                                    0, SW_SHOW, link.icon);
    }

  private:
    InstallRun& run_;
};

// What a decision says the rest of the run needs: what it claims against removal, and
// why the run cannot see every configuration.
void Note(InstallRun& run, const InstallDecision& d) {
    if (!d.blind.empty()) run.current.Blind(d.blind);
    if (!d.bClaims) return;
    run.current.NoteFile(d.templateFile);
    run.current.NoteShortcut(d.shortcutName);
    run.current.NoteFile(d.shortcutIcon);
}

} // namespace

std::wstring ShortcutPath(const std::wstring& sDesktopFolder, const std::wstring& sShortcutName) {
    return sDesktopFolder + L"\\" + sShortcutName + L".lnk";
}

std::vector<InstallDecision> DecideRun(InstallRun& run, const std::vector<std::wstring>& names,
                                       bool bMakeShortcut) {
    RunWorld world(run);
    std::vector<InstallDecision> decisions = DecideInstalls(world, names, bMakeShortcut);
    for (const auto& d : decisions)
        Note(run, d);
    return decisions;
}

InstallResult InstallConfig(InstallRun& run, const std::wstring& sConfigName, bool bMakeShortcut) {
    return InstallConfigs(run, {sConfigName}, bMakeShortcut).front();
}

std::vector<InstallResult> InstallConfigs(InstallRun& run, const std::vector<std::wstring>& names,
                                          bool bMakeShortcut,
                                          const std::function<void()>& afterEach) {
    const std::vector<InstallDecision> decisions = DecideRun(run, names, bMakeShortcut);
    StageCopies(run, decisions);
    std::vector<InstallResult> results;
    for (const auto& d : decisions) {
        results.push_back(ActOnDecision(run, d));
        if (afterEach) afterEach();
    }
    return results;
}

bool InstallAllConfigs(InstallRun& run) {
    bool ok = true;
    for (const auto& result : InstallConfigs(run, ListConfigNames(), true))
        if (!result) ok = false;
    return ok;
}

} // namespace Module1
