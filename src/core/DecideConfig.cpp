#include "core/Decider.h"

#include "core/OfficeApps.h"

namespace Module1::decide {

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

} // namespace Module1::decide
