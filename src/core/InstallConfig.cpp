#include "core/InstallConfig.h"

#include "core/AppState.h"
#include "core/ConfigFormat.h"
#include "core/FormerInstalls.h"
#include "core/Groups.h"
#include "core/InstallRecord.h"
#include "core/InstallRun.h"
#include "core/OfficeApps.h"
#include "core/SafePaths.h"
#include "core/SourceCopy.h"
#include "core/Unchanged.h"
#include "support/AppPath.h"
#include "support/DebugLog.h"
#include "support/PlainFile.h"
#include "support/Probes.h"
#include "support/Strings.h"
#include "support/IniValues.h"

#include <optional>

namespace Module1 {

namespace {

// Keeps the reason of the first step that failed; later failures still count, but the
// first one is what an administrator has to fix first.
class Outcome {
  public:
    void Fail(std::wstring sReason) {
        if (!result_.bOk) return;
        result_.bOk = false;
        result_.sReason = std::move(sReason);
    }
    void NotForUser(std::wstring sGroups) {
        result_.bNotForUser = true;
        result_.sReason = std::move(sGroups);
    }
    InstallResult Result() && { return std::move(result_); }

  private:
    InstallResult result_;
};

std::wstring Quoted(const std::wstring& s) {
    return L"\"" + s + L"\"";
}

// Refuses a name that would leave its folder or that no file name can hold, with one
// debug line saying why.
bool Allowed(const std::wstring& sConfigName, const wchar_t* what, const std::wstring& value,
             Outcome& outcome) {
    std::wstring why;
    if (SafePaths::UsableName(value, why)) return true;
    CommonModule::DPrintStepFailed(L"InstallConfig: " + sConfigName + L": refused " + what + L" " +
                                   Quoted(value) + L" (" + why + L")");
    outcome.Fail(std::wstring(L"refused ") + what + L" " + Quoted(value) + L": " + why);
    return false;
}

// One debug line, and the reason when it is the first failure.
void Failed(const std::wstring& who, Outcome& outcome, const std::wstring& reason) {
    CommonModule::DPrintStepFailed(who + L": " + reason);
    outcome.Fail(reason);
}

// Why a source file the probe did not find cannot be used: not there, or there but not
// to be read (another process holds it, no access), in the system's words.
std::wstring Unusable(const wchar_t* what, const std::wstring& path, bool& missing) {
    const std::wstring why = CommonModule::WhyNotReadable(path, missing);
    missing = missing || why.empty(); // readable after all: taken as before, for missing
    if (missing) return std::wstring(L"missing ") + what + L" " + Quoted(path);
    return std::wstring(L"cannot read the ") + what + L" " + Quoted(path) + L": " + why;
}

// What installing put in place, or found in place, as the file system has it now: the
// listing the run made of the folder knows a file it did not write; one it wrote is
// asked for through a handle that does not follow a link.
RecordedFile Landed(InstallRun& run, const std::wstring& sFolder, const std::wstring& sSource,
                    bool bWritten) {
    const std::wstring name = CommonModule::StripPath(sSource);
    if (const FolderListing::Entry* entry =
            bWritten ? nullptr : run.knownNames.Listed(sFolder, name))
        return {sFolder + L"\\" + entry->name,
                (ULONGLONG{entry->data.nFileSizeHigh} << 32) | entry->data.nFileSizeLow,
                (ULONGLONG{entry->data.ftLastWriteTime.dwHighDateTime} << 32) |
                    entry->data.ftLastWriteTime.dwLowDateTime};
    CommonModule::PlainFile file;
    std::wstring why;
    if (run.heldFolders.In(sFolder).Open(name, file, why, false) !=
        CommonModule::CheckedFolder::Found::Plain) {
        CommonModule::DPrint(L"not recorded, so not removed when retired: \"" + sFolder + L"\\" +
                             name + L"\": " + why);
        return {};
    }
    return {sFolder + L"\\" + file.name(), file.size(), file.lastWriteTime()};
}

// Who lands another file in the user's templates folder under the name sSource lands
// under, in this run; "" for none. sSource is below the program's folder.
std::wstring Owner(const InstallRun& run, const std::wstring& sSource) {
    return run.templatesFolderNames.OwnerOfOther(CommonModule::StripPath(sSource),
                                                 FoldedPath(sSource));
}

std::wstring Clash(const std::wstring& sSource, const std::wstring& sOwner) {
    return Quoted(sSource) + L" not copied: configuration " + Quoted(sOwner) +
           L" installs another file as " + Quoted(CommonModule::StripPath(sSource));
}

bool IsWildcard(const std::wstring& sName) {
    return sName.find_first_of(L"*?") != std::wstring::npos;
}

// What the configuration installs is kept from removal by the rest of the run, whether
// or not this install gets it in place.
void NoteInstalls(InstallRun& run, const ConfigValues& value, bool bMakeShortcut) {
    run.current.NoteFile(value(kKeyTemplateFile));
    if (!bMakeShortcut || value(kKeyShortcutName).empty()) return;
    run.current.NoteShortcut(value(kKeyShortcutName));
    run.current.NoteFile(value(kKeyShortcutIcon));
}

InstallResult InstallSteps(InstallRun& run, const std::wstring& sConfigName, bool bMakeShortcut,
                           InstallRecord& landed, std::optional<ConfigValues>& applied);
} // namespace

std::wstring ShortcutPath(const std::wstring& sDesktopFolder, const std::wstring& sShortcutName) {
    return sDesktopFolder + L"\\" + sShortcutName + L".lnk";
}

InstallResult InstallConfig(InstallRun& run, const std::wstring& sConfigName, bool bMakeShortcut) {
    InstallRecord landed;
    std::optional<ConfigValues> applied;
    InstallResult result = InstallSteps(run, sConfigName, bMakeShortcut, landed, applied);
    std::wstring why;
    if (!run.turn.held() || !SafePaths::UsableName(sConfigName, why)) return result;
    // Not this user's: it claims nothing, and its record is for removing.
    if (result.bNotForUser) {
        run.notForUser.push_back(sConfigName);
        return result;
    }
    run.current.configs.insert(FoldedName(sConfigName));
    if (!KeepRecord(run, sConfigName, landed, applied, why)) {
        CommonModule::DPrintStepFailed(L"InstallConfig: " + sConfigName + L": " + why);
        if (result.bOk) result = {false, why};
    }
    return result;
}

namespace {

InstallResult InstallSteps(InstallRun& run, const std::wstring& sConfigName, bool bMakeShortcut,
                           InstallRecord& landed, std::optional<ConfigValues>& applied) {
    using namespace CommonModule;
    Outcome outcome;
    if (!Allowed(sConfigName, L"configuration name", sConfigName, outcome))
        return std::move(outcome).Result();
    const std::wstring who = L"InstallConfig: " + sConfigName;
    // Another run for this user did not end in time: nothing of this one may be touched.
    if (!run.turn.held()) {
        Failed(who, outcome, run.turn.why());
        return std::move(outcome).Result();
    }
    const std::wstring cfg = ConfigFilePath(sConfigName);
    const ConfigValues value(cfg);
    // A missing file would read as empty values everywhere below: nothing to do. A value
    // read shows the file is there: only an empty read needs the probe.
    if (value.AllEmpty() && !IsExistingFile(cfg)) {
        run.current.Blind(who + L": missing configuration file " + Quoted(cfg));
        Failed(who, outcome, L"missing configuration file " + Quoted(cfg));
        return std::move(outcome).Result();
    }
    std::wstring why;
    const std::vector<std::wstring> groups = ParseGroups(value(kKeyGroups));
    const Applies applies = run.groups.Decide(groups, why);
    if (applies == Applies::No) {
        DPrint(who + L": not installed, only for members of " + JoinGroups(groups));
        outcome.NotForUser(JoinGroups(groups));
        return std::move(outcome).Result();
    }
    // A configuration that may still be this user's keeps what it installed.
    NoteInstalls(run, value, bMakeShortcut);
    if (applies == Applies::Undecided) {
        Failed(who, outcome, L"not installed, cannot tell whether it is for this user: " + why);
        return std::move(outcome).Result();
    }
    applied = value;

    // Nothing goes into a templates folder that could not be found or that a link has
    // moved, and no shortcut names a template there.
    bool missing = false;
    const bool templatesUsable = run.userFolders.TemplatesFolderUsable(why);
    if (!templatesUsable) Failed(who, outcome, L"nothing copied: " + why);

    const std::wstring templateFile = value(kKeyTemplateFile);
    const std::wstring tpl = AppPath() + L"Templates\\" + templateFile;
    bool templateInPlace = false;
    // Why no shortcut may start the template; "" when one may, if it is in place.
    std::wstring noTemplate;
    std::wstring owner;
    if (templateFile.empty()) {
        const std::wstring unseen = WhyConfigUnseen(cfg);
        if (!unseen.empty()) run.current.Blind(who + L": " + unseen);
        Failed(who, outcome, unseen.empty() ? L"no template: TemplateFile is empty" : unseen);
        noTemplate = L"TemplateFile is empty";
    } else if (IsWildcard(templateFile)) {
        // The existence test takes no pattern, so nothing is copied: a "missing" template
        // would send the administrator looking for a file that is there.
        Failed(who, outcome,
               L"TemplateFile " + Quoted(templateFile) + L" holds a wildcard; name one file");
        noTemplate = L"TemplateFile " + Quoted(templateFile) +
                     L" is a wildcard, which names no one template";
    } else if (!Allowed(sConfigName, L"TemplateFile", templateFile, outcome)) {
        noTemplate = L"TemplateFile " + Quoted(templateFile) + L" was refused";
    } else if (owner = Owner(run, L"Templates\\" + templateFile); !owner.empty()) {
        Failed(who, outcome, Clash(L"Templates\\" + templateFile, owner));
        noTemplate = L"the template " + Quoted(StripPath(templateFile)) + L" is " + owner + L"'s";
    } else if (SourceEmpty(run, tpl)) {
        // No Office template is empty: an upload that failed. A copy in place stays.
        Failed(who, outcome, L"empty template " + Quoted(tpl) + L": 0 bytes, not copied");
        noTemplate = L"the template " + Quoted(StripPath(templateFile)) + L" is empty";
    } else {
        // A matching installed copy shows the template is there: only a copy needs the probe.
        const bool unchanged =
            templatesUsable && InstalledCopyUnchanged(run, tpl, sUserTemplatesDir);
        const bool there = unchanged || SourceThere(run, tpl);
        if (there)
            run.templatesFolderNames.Claim(StripPath(templateFile), sConfigName,
                                           FoldedPath(L"Templates\\" + templateFile));
        if (!there)
            Failed(who, outcome, Unusable(L"template", tpl, missing));
        else if (!unchanged && templatesUsable &&
                 !CopySource(run, tpl, sUserTemplatesDir, who, why))
            outcome.Fail(L"failed to copy the template: " + why);
        else if (templatesUsable) {
            if (!unchanged) ++run.tally.installed;
            landed.templateCopy = Landed(run, sUserTemplatesDir, tpl, !unchanged);
            run.templatesInPlace.insert(&AppForTemplate(templateFile));
            templateInPlace = true;
        }
    }

    if (!bMakeShortcut) return std::move(outcome).Result();
    const std::wstring shortcutName = value(kKeyShortcutName);
    if (shortcutName.empty()) return std::move(outcome).Result();
    std::wstring icon = value(kKeyShortcutIcon);
    if (!Allowed(sConfigName, L"ShortcutName", shortcutName, outcome))
        return std::move(outcome).Result();
    // A shortcut starts its application on one template: none without one, and one for a
    // template that is not there would only give the user the application's error.
    if (!noTemplate.empty()) {
        Failed(who, outcome, L"no shortcut: " + noTemplate);
        return std::move(outcome).Result();
    }
    if (!templateInPlace &&
        !(templatesUsable && IsExistingFile(sUserTemplatesDir + L"\\" + StripPath(templateFile)))) {
        Failed(who, outcome,
               L"no shortcut: the template " + Quoted(StripPath(templateFile)) +
                   L" is not in the user's templates folder");
        return std::move(outcome).Result();
    }
    // The template stays for File > New; only the shortcut needs the application.
    const ShortcutStart start = ShortcutFor(templateFile);
    if (start.target.empty()) {
        Failed(who, outcome, L"no shortcut: " + std::wstring(start.app.name) + L" was not found");
        return std::move(outcome).Result();
    }

    const std::wstring desc = value(kKeyShortcutDesc);
    if (!icon.empty()) {
        const std::wstring src = AppPath() + L"AltIcons\\" + icon;
        if (!Allowed(sConfigName, L"ShortcutIcon", icon, outcome)) {
            icon.clear();
        } else if (owner = Owner(run, L"AltIcons\\" + icon); !owner.empty()) {
            Failed(who, outcome, Clash(L"AltIcons\\" + icon, owner));
            icon.clear();
        } else if (const bool unchanged =
                       templatesUsable && InstalledCopyUnchanged(run, src, sUserTemplatesDir);
                   unchanged || SourceThere(run, src)) {
            run.templatesFolderNames.Claim(StripPath(icon), sConfigName,
                                           FoldedPath(L"AltIcons\\" + icon));
            if (!unchanged && templatesUsable && !CopySource(run, src, sUserTemplatesDir, who, why))
                outcome.Fail(L"failed to copy the icon: " + why);
            else if (templatesUsable) {
                if (!unchanged) ++run.tally.installed;
                landed.iconCopy = Landed(run, sUserTemplatesDir, src, !unchanged);
            }
            icon = sUserTemplatesDir + L"\\" + StripPath(src);
        } else {
            // A missing icon falls back to the application's own; one that is there but cannot be
            // read does too, and counts as failed.
            if (const std::wstring reason = Unusable(L"icon", src, missing); !missing)
                Failed(who, outcome, reason);
            icon.clear();
        }
    }

    const std::wstring desktop = run.userFolders.UsableDesktopFolder(why);
    if (desktop.empty()) {
        Failed(who, outcome, L"no shortcut written: " + why);
        return std::move(outcome).Result();
    }
    const std::wstring lnk = ShortcutPath(desktop, shortcutName);
    const LinkFields fields = StoredLinkFields(desc, start.target, sUserTemplatesDir,
                                               start.arguments, 0, 0, SW_SHOW, icon);
    if (owner = run.desktopNames.OwnerOfOther(shortcutName, fields); !owner.empty()) {
        Failed(who, outcome,
               L"shortcut " + Quoted(lnk) + L" not written: configuration " + Quoted(owner) +
                   L" writes another shortcut of that name");
        return std::move(outcome).Result();
    }
    run.desktopNames.Claim(shortcutName, sConfigName, fields);
    if (start.opensCopy)
        DPrint(who + L": " + start.app.name + L" was not found: the shortcut " + Quoted(lnk) +
               L" opens " + Quoted(start.target) + L" itself, in the program its file type names");
    if (!CreateLinkUnlessUnchanged(run, desc, lnk, start.target, sUserTemplatesDir, start.arguments,
                                   0, 0, SW_SHOW, icon, &why))
        Failed(who, outcome, L"failed to write the shortcut " + Quoted(lnk) + L": " + why);
    else if (const RecordedFile file = Landed(run, desktop, lnk, false); !file.path.empty())
        landed.shortcut = {file, fields};
    return std::move(outcome).Result();
}

} // namespace

bool InstallAllConfigs(InstallRun& run) {
    bool ok = true;
    for (const auto& name : ListConfigNames())
        if (!InstallConfig(run, name, true)) ok = false;
    return ok;
}

} // namespace Module1
