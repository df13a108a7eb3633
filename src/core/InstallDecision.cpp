#include "core/InstallDecision.h"

#include "core/AppState.h"
#include "core/CurrentInstalls.h"
#include "core/SafePaths.h"
#include "support/AppPath.h"
#include "support/Strings.h"
#include "support/Text.h"

#include <unordered_map>

namespace Module1 {

namespace {

using Op = InstallStep::Op;
using Kind = InstallDecision::Kind;

std::wstring Quoted(const std::wstring& s) {
    return L"\"" + s + L"\"";
}

bool IsWildcard(const std::wstring& sName) {
    return sName.find_first_of(L"*?") != std::wstring::npos;
}

// What a shortcut holds, as one text to compare.
std::wstring Holds(const LinkPlan& link) {
    return link.description + L"|" + link.target + L"|" + link.workingFolder + L"|" +
           link.arguments + L"|" + link.icon;
}

// Builds one decision step by step, in the order the act reports them.
class Decider {
  public:
    Decider(InstallWorld& answers, const std::wstring& sConfigName, RunNames* runNames)
        : world(answers), who(L"InstallConfig: " + sConfigName), names(runNames) {
        d.config = sConfigName;
    }

    void Fail(const std::wstring& reason) { FailLine(who + L": " + reason, reason); }
    void FailLine(const std::wstring& line, const std::wstring& reason) {
        Push(Op::Fail, line, reason);
    }
    void Push(Op op, const std::wstring& line, const std::wstring& reason = {},
              const std::wstring& path = {}) {
        InstallStep step;
        step.op = op;
        step.line = line;
        step.reason = reason;
        step.path = path;
        d.steps.push_back(std::move(step));
    }
    // Refuses a name that would leave its folder or that no file name can hold.
    bool Allowed(const wchar_t* what, const std::wstring& value) {
        std::wstring why;
        if (SafePaths::UsableName(value, why)) return true;
        FailLine(who + L": refused " + what + L" " + Quoted(value) + L" (" + why + L")",
                 std::wstring(L"refused ") + what + L" " + Quoted(value) + L": " + why);
        return false;
    }
    // Why a source that is not there cannot be used, in the system's words.
    std::wstring Unusable(const wchar_t* what, const std::wstring& path, bool& missing) {
        const std::wstring why = world.WhyNotReadable(path, missing);
        missing = missing || why.empty(); // readable after all: taken as before, for missing
        if (missing) return std::wstring(L"missing ") + what + L" " + Quoted(path);
        return std::wstring(L"cannot read the ") + what + L" " + Quoted(path) + L": " + why;
    }
    // Whether an earlier configuration of the run puts another file where sRelative, a
    // source below the program's folder, lands: then a failed step says so.
    bool Clashes(const std::wstring& sRelative) {
        const std::wstring name = CommonModule::StripPath(sRelative);
        const std::wstring owner =
            names ? names->templatesFolder.OwnerOfOther(name, FoldedPath(sRelative)) : L"";
        if (!owner.empty())
            Fail(Quoted(sRelative) + L" not copied: configuration " + Quoted(owner) +
                 L" installs another file as " + Quoted(name));
        return !owner.empty();
    }
    // The copy of sSource into the user's templates folder: in place already, or to be
    // made. False when the source is not there to copy.
    bool Copy(Recorded item, const std::wstring& sSource, bool templatesUsable) {
        const std::wstring name = CommonModule::StripPath(sSource);
        const bool stands = templatesUsable && world.Stands(sUserTemplatesDir, name);
        const bool unchanged = templatesUsable && world.CopyInPlace(sSource, sUserTemplatesDir);
        if (!unchanged && !world.SourceThere(sSource)) return false;
        const std::wstring relative = sSource.substr(CommonModule::AppPath().size());
        if (names) names->templatesFolder.Claim(name, d.config, FoldedPath(relative));
        if (!templatesUsable) return true;
        InstallStep step;
        step.op = unchanged ? Op::Unchanged : Op::Copy;
        step.item = item;
        step.source = sSource;
        step.folder = sUserTemplatesDir;
        step.path = sUserTemplatesDir + L"\\" + name;
        step.replaces = !unchanged && stands;
        d.steps.push_back(std::move(step));
        return true;
    }

    InstallWorld& world;
    const std::wstring who;
    RunNames* names;
    InstallDecision d;
};

void Decide(Decider& at, bool bMakeShortcut);

// The summary of the steps: the first failure, else what is written, else unchanged.
void Summarize(InstallDecision& d) {
    d.kind = Kind::Unchanged;
    d.reason.clear();
    std::wstring changed;
    bool writes = false;
    for (const auto& step : d.steps) {
        if (step.op == Op::Fail && d.kind != Kind::Cannot) {
            d.kind = Kind::Cannot;
            d.reason = step.reason;
        }
        if (step.op == Op::Copy || step.op == Op::Unchanged || step.op == Op::LinkUnchanged ||
            step.op == Op::WriteLink)
            d.paths.push_back(step.path);
        if ((step.op != Op::Copy && step.op != Op::WriteLink) || step.afterEarlier) continue;
        writes = true;
        if (step.replaces)
            changed += (changed.empty() ? L"" : L", ") + CommonModule::StripPath(step.path);
    }
    if (d.bNotForUser) {
        d.kind = Kind::NotForUser;
        d.reason = L"only for members of " + d.groups;
    } else if (d.kind != Kind::Cannot && writes) {
        d.kind = changed.empty() ? Kind::Install : Kind::Replace;
        d.reason = changed.empty() ? L"" : L"changed: " + changed;
    }
}

} // namespace

InstallDecision DecideInstall(InstallWorld& world, const std::wstring& sConfigName,
                              bool bMakeShortcut, RunNames* names) {
    Decider at(world, sConfigName, names);
    Decide(at, bMakeShortcut);
    Summarize(at.d);
    return std::move(at.d);
}

std::vector<InstallDecision>
DecideInstalls(InstallWorld& world, const std::vector<std::wstring>& names, bool bMakeShortcut) {
    std::vector<InstallDecision> decisions;
    // What the run puts in place by then: a path and what it is made from.
    std::unordered_map<std::wstring, std::wstring> planned;
    RunNames owners;
    for (const auto& name : names) {
        InstallDecision d = DecideInstall(world, name, bMakeShortcut, &owners);
        for (auto& step : d.steps) {
            if (step.op != Op::Copy && step.op != Op::WriteLink) continue;
            const std::wstring from = step.op == Op::Copy ? FoldedPath(step.source) : Holds(d.link);
            const auto [at, fresh] =
                planned.try_emplace(Text::Lower(step.folder) + L"\\" + FoldedName(step.path), from);
            step.afterEarlier = !fresh && at->second == from;
            if (!fresh) at->second = from;
        }
        d.paths.clear();
        Summarize(d);
        decisions.push_back(std::move(d));
    }
    return decisions;
}

namespace {

void Decide(Decider& at, bool bMakeShortcut) {
    InstallWorld& world = at.world;
    InstallDecision& d = at.d;
    const std::wstring& name = d.config;
    if (!at.Allowed(L"configuration name", name)) return;
    std::wstring why;
    // Another run for this user did not end in time: nothing of this one may be touched.
    if (!world.TurnHeld(why)) return at.Fail(why);
    d.bRecorded = true;
    const std::wstring cfg = ConfigFilePath(name);
    const ConfigValues value = world.Read(cfg);
    // A missing file would read as empty values everywhere below: nothing to do. A value
    // read shows the file is there: only an empty read needs the probe.
    if (value.AllEmpty() && !world.IsFile(cfg)) {
        d.blind = at.who + L": missing configuration file " + Quoted(cfg);
        return at.Fail(L"missing configuration file " + Quoted(cfg));
    }
    const std::vector<std::wstring> groups = ParseGroups(value(kKeyGroups));
    const Applies applies = world.Groups(groups, why);
    if (applies == Applies::No) {
        d.bNotForUser = true;
        d.groups = JoinGroups(groups);
        at.Push(Op::Note, at.who + L": not installed, only for members of " + d.groups);
        return;
    }
    // A configuration that may still be this user's keeps what it installed.
    d.bClaims = true;
    d.templateFile = value(kKeyTemplateFile);
    if (bMakeShortcut && !value(kKeyShortcutName).empty()) {
        d.shortcutName = value(kKeyShortcutName);
        d.shortcutIcon = value(kKeyShortcutIcon);
    }
    if (applies == Applies::Undecided)
        return at.Fail(L"not installed, cannot tell whether it is for this user: " + why);
    d.bApplies = true;
    d.bShortcutsAsked = bMakeShortcut;

    // Nothing goes into a templates folder that could not be found or that a link has
    // moved, and no shortcut names a template there.
    bool missing = false;
    const bool templatesUsable = world.TemplatesUsable(why);
    if (!templatesUsable) at.Fail(L"nothing copied: " + why);

    const std::wstring templateFile = value(kKeyTemplateFile);
    const std::wstring tpl = CommonModule::AppPath() + L"Templates\\" + templateFile;
    bool templateInPlace = false;
    // Why no shortcut may start the template; "" when one may, if it is in place.
    std::wstring noTemplate;
    const std::wstring landsAs = Quoted(CommonModule::StripPath(templateFile));
    if (templateFile.empty()) {
        const std::wstring unseen = world.WhyUnseen(cfg);
        if (!unseen.empty()) d.blind = at.who + L": " + unseen;
        at.Fail(unseen.empty() ? L"no template: TemplateFile is empty" : unseen);
        noTemplate = L"TemplateFile is empty";
    } else if (IsWildcard(templateFile)) {
        // The existence test takes no pattern, so nothing is copied: a "missing" template
        // would send the administrator looking for a file that is there.
        at.Fail(L"TemplateFile " + Quoted(templateFile) + L" holds a wildcard; name one file");
        noTemplate = L"TemplateFile " + Quoted(templateFile) +
                     L" is a wildcard, which names no one template";
    } else if (!at.Allowed(L"TemplateFile", templateFile)) {
        noTemplate = L"TemplateFile " + Quoted(templateFile) + L" was refused";
    } else if (at.Clashes(L"Templates\\" + templateFile)) {
        noTemplate = L"the template " + landsAs + L" is another configuration's";
    } else if (world.SourceEmpty(tpl)) {
        // No Office template is empty: an upload that failed. A copy in place stays.
        at.Fail(L"empty template " + Quoted(tpl) + L": 0 bytes, not copied");
        noTemplate = L"the template " + landsAs + L" is empty";
    } else if (!at.Copy(Recorded::Template, tpl, templatesUsable)) {
        at.Fail(at.Unusable(L"template", tpl, missing));
    } else {
        templateInPlace = templatesUsable;
    }

    if (!bMakeShortcut) return;
    const std::wstring shortcutName = value(kKeyShortcutName);
    if (shortcutName.empty()) return;
    std::wstring icon = value(kKeyShortcutIcon);
    if (!at.Allowed(L"ShortcutName", shortcutName)) return;
    // A shortcut starts its application on one template: none without one, and one for
    // a template that is not there would only give the user the application's error.
    if (!noTemplate.empty()) return at.Fail(L"no shortcut: " + noTemplate);
    const std::wstring installed =
        sUserTemplatesDir + L"\\" + CommonModule::StripPath(templateFile);
    const std::wstring notThere = L"no shortcut: the template " +
                                  Quoted(CommonModule::StripPath(templateFile)) +
                                  L" is not in the user's templates folder";
    if (!templateInPlace && !(templatesUsable && world.IsFile(installed))) return at.Fail(notThere);
    // A copy still to be made may fail; then the shortcut needs an older copy there.
    if (!d.steps.empty() && d.steps.back().op == Op::Copy)
        at.Push(Op::NeedTemplate, at.who + L": " + notThere, notThere, installed);
    // The template stays for File > New; only the shortcut needs the application.
    const ShortcutStart start = world.Start(templateFile);
    if (!templateFile.empty() && !AppOfFamily(templateFile))
        at.Push(Op::Note, at.who + L": the type of " +
                              Quoted(CommonModule::StripPath(templateFile)) +
                              L" is no Office type; its shortcut starts Word");
    if (start.target.empty())
        return at.Fail(L"no shortcut: " + std::wstring(start.app.name) + L" was not found");

    if (!icon.empty()) {
        const std::wstring src = CommonModule::AppPath() + L"AltIcons\\" + icon;
        if (!at.Allowed(L"ShortcutIcon", icon) || at.Clashes(L"AltIcons\\" + icon)) {
            icon.clear();
        } else if (at.Copy(Recorded::Icon, src, templatesUsable)) {
            icon = sUserTemplatesDir + L"\\" + CommonModule::StripPath(src);
        } else {
            // A missing icon falls back to the application's own; one that is there but
            // cannot be read does too, and counts as failed.
            if (const std::wstring reason = at.Unusable(L"icon", src, missing); !missing)
                at.Fail(reason);
            icon.clear();
        }
    }

    const std::wstring desktop = world.Desktop(why);
    if (desktop.empty()) return at.Fail(L"no shortcut written: " + why);
    d.link = {desktop,
              desktop + L"\\" + shortcutName + L".lnk",
              value(kKeyShortcutDesc),
              start.target,
              sUserTemplatesDir,
              start.arguments,
              icon};
    if (const std::wstring owner =
            at.names ? at.names->desktop.OwnerOfOther(shortcutName, Holds(d.link)) : L"";
        !owner.empty())
        return at.Fail(L"shortcut " + Quoted(d.link.file) + L" not written: configuration " +
                       Quoted(owner) + L" writes another shortcut of that name");
    if (at.names) at.names->desktop.Claim(shortcutName, name, Holds(d.link));
    if (start.opensCopy)
        at.Push(Op::Note, at.who + L": " + start.app.name + L" was not found: the shortcut " +
                              Quoted(d.link.file) + L" opens " + Quoted(start.target) +
                              L" itself, in the program its file type names");
    InstallStep step;
    step.path = d.link.file;
    step.folder = desktop;
    step.replaces = world.Stands(desktop, shortcutName + L".lnk");
    const LinkVerdict verdict = world.LinkInPlace(d.config, d.link);
    // Never rewritten, and never kept in silence.
    if (verdict == LinkVerdict::Unchecked)
        return at.Fail(L"the shortcut " + Quoted(d.link.file) + L" is " + kLinkUnchecked);
    step.op = verdict == LinkVerdict::Unchanged ? Op::LinkUnchanged : Op::WriteLink;
    if (step.op == Op::LinkUnchanged) step.replaces = false;
    step.item = Recorded::Shortcut;
    d.steps.push_back(std::move(step));
}

} // namespace

} // namespace Module1
