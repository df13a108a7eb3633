#pragma once
// The pieces one configuration's decision is built from, shared by the decision of a
// run (InstallDecision.cpp) and of its steps (DecideConfig.cpp).
#include "core/InstallDecision.h"

#include "core/AppState.h"
#include "core/CurrentInstalls.h"
#include "core/SafePaths.h"
#include "support/AppPath.h"
#include "support/Strings.h"

#include <string>

namespace Module1::decide {

using Op = InstallStep::Op;
using Kind = InstallDecision::Kind;

inline std::wstring Quoted(const std::wstring& s) {
    return L"\"" + s + L"\"";
}

inline bool IsWildcard(const std::wstring& sName) {
    return sName.find_first_of(L"*?") != std::wstring::npos;
}

// What a shortcut holds, as one text to compare.
inline std::wstring Holds(const LinkPlan& link) {
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

// Every step of one configuration, in the order the act reports them.
void Decide(Decider& at, bool bMakeShortcut);

} // namespace Module1::decide
