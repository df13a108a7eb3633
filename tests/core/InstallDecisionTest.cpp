// A run's decisions made from a world of answers alone: no file is read or written.
#include "core/AppState.h"
#include "core/CheckReport.h"
#include "core/InstallDecision.h"
#include "support/AppPath.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using namespace Module1;
using Kind = InstallDecision::Kind;
using Op = InstallStep::Op;

// New: nothing installed yet; Changed: the share's template differs from the installed
// copy; Same: all in place; Legal: for another group; Broken: its template is missing;
// Twin: Changed's template again.
struct World final : InstallWorld {
    std::map<std::wstring, ConfigValues> configs;
    std::set<std::wstring> sources, inPlace, standing, linksInPlace;

    bool TurnHeld(std::wstring&) override { return true; }
    ConfigValues Read(const std::wstring& cfg) override {
        for (const auto& [name, values] : configs)
            if (ConfigFilePath(name) == cfg) return values;
        return ConfigValues{};
    }
    bool IsFile(const std::wstring& path) override { return !Read(path).AllEmpty(); }
    std::wstring WhyUnseen(const std::wstring&) override { return {}; }
    Applies Groups(const std::vector<std::wstring>& groups, std::wstring&) override {
        return groups.empty() ? Applies::Yes : Applies::No;
    }
    bool TemplatesUsable(std::wstring&) override { return true; }
    std::wstring Desktop(std::wstring&) override { return L"C:\\D"; }
    bool Stands(const std::wstring& folder, const std::wstring& name) override {
        return standing.contains(folder + L"\\" + name);
    }
    bool CopyInPlace(const std::wstring& source, const std::wstring&) override {
        return inPlace.contains(source);
    }
    bool SourceThere(const std::wstring& source) override { return sources.contains(source); }
    bool SourceEmpty(const std::wstring&) override { return false; }
    std::wstring WhyNotReadable(const std::wstring&, bool& missing) override {
        missing = true;
        return {};
    }
    ShortcutStart Start(const std::wstring& templateFile) override {
        return ShortcutFor(templateFile);
    }
    LinkVerdict LinkInPlace(const std::wstring&, const LinkPlan& link) override {
        return linksInPlace.contains(link.file) ? LinkVerdict::Unchanged : LinkVerdict::Write;
    }
};

std::wstring Source(const std::wstring& name) {
    return CommonModule::AppPath() + L"Templates\\" + name;
}

TEST(InstallDecision, EachConfigurationOfAWorldGetsItsKindReasonAndPaths) {
    sUserTemplatesDir = L"C:\\T";
    sWordExePath = L"C:\\W\\WINWORD.EXE";
    World world;
    for (const wchar_t* name : {L"New", L"Changed", L"Same", L"Broken"})
        world.configs.emplace(name, ConfigValues{{kKeyTemplateFile, std::wstring(name) + L".dotx"},
                                                 {kKeyShortcutName, name}});
    world.configs.emplace(L"Twin", ConfigValues{{kKeyTemplateFile, L"Changed.dotx"}});
    world.configs.emplace(L"Rival", ConfigValues{{kKeyTemplateFile, L"Sub\\New.dotx"}});
    world.sources.insert(Source(L"Sub\\New.dotx"));
    world.configs.emplace(
        L"Legal", ConfigValues{{kKeyTemplateFile, L"Legal.dotx"}, {kKeyGroups, L"Legal; Board"}});
    for (const wchar_t* name : {L"New", L"Changed", L"Same", L"Legal"})
        world.sources.insert(Source(std::wstring(name) + L".dotx"));
    world.inPlace.insert(Source(L"Same.dotx"));
    world.standing = {L"C:\\T\\Changed.dotx", L"C:\\T\\Same.dotx", L"C:\\D\\Changed.lnk",
                      L"C:\\D\\Same.lnk"};
    world.linksInPlace = {L"C:\\D\\Changed.lnk", L"C:\\D\\Same.lnk"};

    const std::vector<InstallDecision> decisions = DecideInstalls(
        world, {L"New", L"Changed", L"Same", L"Legal", L"Broken", L"Twin", L"Rival"}, true);
    const struct {
        Kind kind;
        std::wstring line;
    } expected[] = {
        {Kind::Install, LR"(New: install: "C:\T\New.dotx", "C:\D\New.lnk")"},
        {Kind::Replace,
         LR"(Changed: replace (changed: Changed.dotx): "C:\T\Changed.dotx", "C:\D\Changed.lnk")"},
        {Kind::Unchanged, LR"(Same: unchanged: "C:\T\Same.dotx", "C:\D\Same.lnk")"},
        {Kind::NotForUser, L"Legal: not for this user (only for members of Legal; Board)"},
        {Kind::Cannot, L"Broken: cannot (missing template \"" + Source(L"Broken.dotx") + L"\")"},
        // What Changed puts in place is found there by the time Twin comes.
        {Kind::Unchanged, LR"(Twin: unchanged: "C:\T\Changed.dotx")"},
        // Another file where New's lands: New keeps it.
        {Kind::Cannot,
         LR"(Rival: cannot ("Templates\Sub\New.dotx" not copied: configuration "New" installs another file as "New.dotx"))"},
    };
    ASSERT_EQ(decisions.size(), std::size(expected));
    for (size_t i = 0; i < decisions.size(); ++i) {
        EXPECT_EQ(decisions[i].kind, expected[i].kind) << i;
        EXPECT_EQ(DecisionLine(decisions[i]), expected[i].line) << i;
    }
    // The act's order: the template, what the shortcut needs of it, the shortcut; a
    // template that cannot come stops the shortcut before the act.
    std::vector<Op> ops;
    for (const auto& step : decisions[0].steps)
        ops.push_back(step.op);
    EXPECT_EQ(ops, (std::vector<Op>{Op::Copy, Op::NeedTemplate, Op::WriteLink}));
    EXPECT_EQ(decisions[4].steps.size(), 2u);
    EXPECT_TRUE(decisions[5].steps[0].afterEarlier);

    using V = Removal::Verdict;
    const InstallDecision retired = RemovalAsDecision(
        L"Old", L"retired",
        {{V::Remove, {}, L"C:\\D\\Old.lnk"}, {V::Keep, L"changed", L"C:\\T\\Old.dotx"}});
    EXPECT_EQ(DecisionLine(retired), LR"(Old: remove (retired): "C:\D\Old.lnk")");
    EXPECT_EQ(RemovalAsDecision(L"Gone", L"retired", {{V::Gone, {}, L"C:\\T\\G.dotx"}}).kind,
              Kind::Unchanged);
    sUserTemplatesDir.clear();
    sWordExePath.clear();
}

TEST(CheckReport, AFolderIsOneDriveBelowItsRootsAndNetworkOnAServer) {
    const std::vector<std::wstring> roots = {L"", L"C:\\Users\\a\\OneDrive - Firm\\"};
    EXPECT_EQ(PlaceOf(L"c:\\users\\A\\onedrive - firm\\Desktop", roots, false), Place::OneDrive);
    EXPECT_EQ(PlaceOf(L"C:\\Users\\a\\OneDrive - Firm2\\Desktop", roots, false), Place::Local);
    EXPECT_EQ(PlaceOf(L"\\\\srv\\home\\a\\Desktop", roots, false), Place::Network);
    EXPECT_EQ(PlaceOf(L"H:\\Desktop", roots, true), Place::Network);
}

} // namespace
