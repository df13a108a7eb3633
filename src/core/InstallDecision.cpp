#include "core/InstallDecision.h"

#include "core/Decider.h"
#include "support/Text.h"

#include <unordered_map>

namespace Module1 {

namespace {

using namespace decide;

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

} // namespace Module1
