#include "core/RemovalDecision.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace Module1;
using Verdict = Removal::Verdict;

// Letter's template, icon and shortcut, recorded as installed and still as recorded;
// each case changes one thing of it.
struct Item {
    Recorded kind = Recorded::Template;
    InstallRecord record;
    RetiredGives gives;
    Standing now;
    CurrentInstalls claims;

    Item(Recorded k, const std::function<void(Item&)>& change) : kind(k) {
        const LinkFields fields{L"W.EXE", L"/t\"Letter.dotx\"", L"C:\\T", L"Letter",
                                L"C:\\T\\L.ico"};
        record.templateCopy = {L"C:\\T\\Letter.dotx", 100, 1000};
        record.iconCopy = {L"C:\\T\\L.ico", 20, 2000};
        record.shortcut.file = {L"C:\\D\\Letter.lnk", 30, 3000};
        record.shortcut.fields = fields;
        gives = {L"Sub\\Letter.dotx", L"L.ico", L"Letter", fields, true};
        const RecordedFile& file = k == Recorded::Template ? record.templateCopy
                                   : k == Recorded::Icon   ? record.iconCopy
                                                           : record.shortcut.file;
        now.folder = k == Recorded::Shortcut ? L"C:\\D" : L"C:\\T";
        now.name = file.path.substr(5);
        now.is = Standing::Is::Plain;
        now.size = file.size;
        now.time = file.time;
        now.link = fields;
        now.source = RecordedFile{{}, file.size, file.time};
        if (change) change(*this);
    }
};

void Unrecorded(Item& item) {
    item.record = {};
}

TEST(RemovalDecision, RemovesOnlyWhatTheRetiredConfigurationInstalledUnchanged) {
    const auto T = Recorded::Template, I = Recorded::Icon, S = Recorded::Shortcut;
    const wchar_t *changed = L"changed since it was installed",
                  *notOurs = L"not installed by this configuration",
                  *unnamed = L"its configuration names no such file";
    struct Case {
        const char* what;
        Recorded kind;
        std::function<void(Item&)> change;
        Verdict verdict;
        std::wstring reason;
    } const cases[] = {
        {"recorded, unchanged", T, nullptr, Verdict::Remove, L""},
        {"recorded shortcut, unchanged", S, nullptr, Verdict::Remove, L""},
        {"recorded under another spelling", T,
         [](Item& i) { i.record.templateCopy.path = L"C:\\t\\LETTER.DOTX."; }, Verdict::Remove,
         L""},
        {"another size", T, [](Item& i) { i.now.size = 101; }, Verdict::Keep, changed},
        {"another time", I, [](Item& i) { i.now.time = 1; }, Verdict::Keep, changed},
        {"shortcut, another hot key", S, [](Item& i) { i.now.link->hotKey = 1; }, Verdict::Keep,
         changed},
        {"shortcut unreadable", S, [](Item& i) { i.now.link.reset(); }, Verdict::Keep, changed},
        {"claimed", T, [](Item& i) { i.claims.NoteFile(L"letter.DOTX"); }, Verdict::Keep,
         L"a current configuration installs it"},
        {"record names another file", T,
         [](Item& i) {
             i.record.templateCopy.path = L"C:\\T\\MyOwn.dotx";
             i.now.name = L"MyOwn.dotx";
         },
         Verdict::Keep, unnamed},
        {"record names the template as the icon", I,
         [](Item& i) { i.record.iconCopy.path = L"C:\\T\\Letter.dotx"; }, Verdict::Keep, unnamed},
        {"record names another shortcut", S, [](Item& i) { i.gives.shortcutName = L"Memo"; },
         Verdict::Keep, unnamed},
        {"recorded in another folder", T,
         [](Item& i) { i.record.templateCopy.path = L"\\\\s\\T\\Letter.dotx"; }, Verdict::Keep,
         L"installed into another folder"},
        {"gone", T, [](Item& i) { i.now.is = Standing::Is::Missing; }, Verdict::Gone, L""},
        {"a link stands there", T,
         [](Item& i) {
             i.now.is = Standing::Is::Other;
             i.now.why = L"a link";
         },
         Verdict::Keep, L"a link"},
        {"cannot be opened", T,
         [](Item& i) {
             i.now.is = Standing::Is::Unopened;
             i.now.why = L"denied";
         },
         Verdict::Fail, L"denied"},
        {"no record: shortcut as configured", S, Unrecorded, Verdict::Remove, L""},
        {"no record: description changed", S,
         [](Item& i) {
             Unrecorded(i);
             i.now.link->description = L"Mine";
         },
         Verdict::Keep, notOurs},
        {"no record: icon changed", S,
         [](Item& i) {
             Unrecorded(i);
             i.now.link->iconIndex = 3;
         },
         Verdict::Keep, notOurs},
        {"no record: arguments changed", S,
         [](Item& i) {
             Unrecorded(i);
             i.now.link->arguments = L"";
         },
         Verdict::Keep, notOurs},
        {"no record, no Word found", S,
         [](Item& i) {
             Unrecorded(i);
             i.gives.shortcut.target = i.now.link->target = L"";
         },
         Verdict::Keep, notOurs},
        {"no record: copy as its source", I, Unrecorded, Verdict::Remove, L""},
        {"no record: copy differs", T,
         [](Item& i) {
             Unrecorded(i);
             i.now.source->size = 1;
         },
         Verdict::Keep, changed},
        {"no record: source gone", T,
         [](Item& i) {
             Unrecorded(i);
             i.now.source.reset();
         },
         Verdict::Keep, L"the source is no longer in Templates"},
        {"no record, judged by the record alone", T,
         [](Item& i) {
             Unrecorded(i);
             i.gives.judgesUnrecorded = false;
         },
         Verdict::Gone, L""},
    };
    for (const Case& c : cases) {
        const Item item(c.kind, c.change);
        const Removal removal =
            DecideRemoval(item.kind, item.record, item.gives, item.now, item.claims);
        EXPECT_EQ(removal.verdict, c.verdict) << c.what;
        EXPECT_EQ(removal.reason, c.reason) << c.what;
    }
}

} // namespace
