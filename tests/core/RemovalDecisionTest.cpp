#include "core/FormerInstalls.h"
#include "core/InstallDecision.h"
#include "core/RemovalDecision.h"

#include <gtest/gtest.h>

namespace {

using namespace Module1;
using V = Removal::Verdict;

// Letter's template copy, recorded as installed and still as recorded, claimed by no
// current configuration; each case changes one thing of it.
struct Item {
    Recorded kind = Recorded::Template;
    RetiredGives gives{
        L"Sub\\Letter.dotx", L"", L"Letter", {L"W", L"/t", L"", L"Letter", L"W", 0, 0, 1}, true};
    InstallRecord record{
        {L"C:\\T\\Letter.dotx", 9, 9}, {}, {{L"C:\\D\\Letter.lnk", 9, 9}, gives.shortcut}};
    Standing now{L"C:\\T", L"Letter.dotx", Standing::Is::Plain,    9,
                 9,        gives.shortcut, RecordedFile{{}, 9, 9}, L"denied"};
    CurrentInstalls claims;
};

void Moved(Item& i) {
    i.record.templateCopy.path = L"D:\\Letter.dotx";
}

TEST(RemovalDecision, RemovesOnlyWhatTheRetiredConfigurationInstalledUnchanged) {
    const std::wstring changed = L"changed since it was installed",
                       notOurs = L"not installed by this configuration";
    const auto T = Recorded::Template, S = Recorded::Shortcut;
    // former: the configuration is current and gives what the change says; what its
    // record holds of another name is judged as it was installed.
    const struct {
        Recorded kind;
        bool recorded;
        void (*change)(Item&);
        V verdict;
        std::wstring reason;
        bool former = false;
    } cases[] = {
        {T, true, [](Item&) {}, V::Remove, L""},
        {T, true, [](Item& i) { i.record.templateCopy.path = L"C:\\t\\LETTER.DOTX."; }, V::Remove,
         L""},
        {T, true, [](Item& i) { i.now.time = 1; }, V::Keep, changed},
        {T, true, [](Item& i) { i.claims.NoteFile(L"letter.DOTX"); }, V::Keep,
         L"a current configuration installs it"},
        {T, true, [](Item& i) { i.record.templateCopy.path = L"C:\\T\\MyOwn.dotx"; }, V::Keep,
         L"its configuration names no such file"},
        {T, true, Moved, V::Remove, L""},
        {T, true, [](Item& i) { Moved(i), i.now.is = Standing::Is::Missing; }, V::Gone, L""},
        {T, true,
         [](Item& i) { Moved(i), i.now.is = Standing::Is::Missing, i.now.atRecordedPath = true; },
         V::Keep, L"installed into another folder"},
        {S, true, [](Item& i) { i.record.shortcut.file.path = L"E:\\D\\Letter.lnk"; }, V::Remove,
         L""},
        {T, true, [](Item& i) { i.gives.templateFile = L"Other.dotx"; }, V::Remove, L"", true},
        {T, true, [](Item& i) { i.gives.templateFile = L"sub/LETTER.DOTX."; }, V::Gone, L"", true},
        {S, true, [](Item& i) { i.gives.shortcutName.clear(), i.now.time = 1; }, V::Keep, changed,
         true},
        {T, true, [](Item& i) { i.now.is = Standing::Is::Missing; }, V::Gone, L""},
        {T, true, [](Item& i) { i.now.is = Standing::Is::Unopened; }, V::Fail, L"denied"},
        {S, false, [](Item&) {}, V::Remove, L""},
        {S, false, [](Item& i) { i.now.link->description = L""; }, V::Keep, notOurs},
        {S, false, [](Item& i) { i.now.link->iconFile = L"X"; }, V::Keep, notOurs},
        {S, false, [](Item& i) { i.gives.shortcut.target = i.now.link->target = L""; }, V::Keep,
         notOurs},
        {S, false, [](Item& i) { i.gives.judgesUnrecorded = false; }, V::Gone, L""},
        {T, false, [](Item& i) { i.now.source.reset(); }, V::Keep,
         L"the source is no longer in Templates"},
    };
    for (size_t n = 0; n < std::size(cases); ++n) {
        Item i;
        if (!cases[n].recorded) i.record = {};
        i.kind = cases[n].kind;
        if (i.kind == S) i.now.folder = L"C:\\D";
        if (i.kind == S) i.now.name = L"Letter.lnk";
        cases[n].change(i);
        if (cases[n].former) {
            i.record = NoLongerGiven(i.record, i.gives);
            i.gives = GivesOfRecorded(i.record);
        }
        const Removal removal = DecideRemoval(i.kind, i.record, i.gives, i.now, i.claims);
        EXPECT_EQ(removal.verdict, cases[n].verdict) << "case " << n;
        EXPECT_EQ(removal.reason, cases[n].reason) << "case " << n;
    }
}

// A current configuration's record names what it no longer installs only by a name it
// gives in its place: a mistyped TemplateFile or ShortcutName takes nothing off a desktop.
TEST(RemovalDecision, OnlyAUsableNameReplacesARecordedOne) {
    const InstallRecord recorded{
        {L"C:\\T\\Letter.dotx", 9, 9}, {}, {{L"C:\\D\\Letter.lnk", 9, 9}, {}}};
    const struct {
        const wchar_t *templateFile, *shortcutName;
        bool asked, templateFormer, shortcutFormer;
    } cases[] = {{L"Other.dotx", L"Letter", true, true, false},
                 {L"", L"New", true, false, true},
                 {L"*.dotx", L"", true, false, true},
                 {L"..\\Other.dotx", L"..\\New", true, false, false},
                 {L"Other.dotx", L"New", false, true, false}};
    for (const auto& c : cases) {
        InstallDecision d;
        d.templateFile = c.templateFile;
        d.shortcutName = c.shortcutName;
        d.bApplies = true;
        d.bShortcutsAsked = c.asked;
        const InstallRecord former = FormerInstalls(recorded, d);
        EXPECT_EQ(!former.templateCopy.path.empty(), c.templateFormer) << c.templateFile;
        EXPECT_EQ(!former.shortcut.file.path.empty(), c.shortcutFormer) << c.shortcutName;
    }
}

} // namespace
