#include "core/Unchanged.h"

#include <gtest/gtest.h>

using namespace Module1;

// A repeat run judges a shortcut from its folder's listing and the install record, and
// reads it only when those disagree: on a Desktop in OneDrive a read downloads an
// online-only file. One whose read fails there is kept, never rewritten. (Wine makes
// no online-only files: the listing's answers are put in here.)
TEST(JudgeShortcut, ReadsOnlyWhenListingAndRecordDisagreeAndNeverRewritesAnUncheckedPlaceholder) {
    const std::wstring desktop = L"C:\\Users\\u\\Desktop";
    const LinkFields wanted{L"W.exe", L"/t\"L.dotx\"", L"T", L"desc", L"W.exe", 0, 0, 1};
    LinkFields other = wanted;
    other.description = L"old";
    FolderListing::Entry listed;
    listed.name = L"Letter.lnk";
    listed.data.nFileSizeLow = 900;
    listed.data.ftLastWriteTime = {5, 7};
    const RecordedShortcut matching{{desktop + L"\\letter.LNK", 900, (7ull << 32) | 5}, wanted};
    RecordedShortcut older = matching;
    older.file.time -= 1;
    RecordedShortcut otherFields = matching;
    otherFields.fields = other;
    constexpr DWORD kRecallOnDataAccess = 0x00400000, kRecallOnOpen = 0x00040000;
    struct Case {
        const char* what;
        bool isListed;
        DWORD attributes;
        const RecordedShortcut& recorded;
        std::optional<LinkFields> read; // what a read gives; none: it fails
        bool readAsked;
        LinkVerdict verdict;
    };
    const Case cases[] = {
        {"as recorded", true, kRecallOnDataAccess, matching, std::nullopt, false,
         LinkVerdict::Unchanged},
        {"other time, same fields", true, 0, older, wanted, true, LinkVerdict::Unchanged},
        {"other time, other fields", true, 0, older, other, true, LinkVerdict::Write},
        {"recorded fields differ", true, 0, otherFields, other, true, LinkVerdict::Write},
        {"no record", true, 0, RecordedShortcut{}, wanted, true, LinkVerdict::Unchanged},
        {"not listed", false, 0, matching, wanted, true, LinkVerdict::Unchanged},
        {"unreadable", true, 0, older, std::nullopt, true, LinkVerdict::Write},
        {"online-only, unreadable", true, kRecallOnDataAccess, older, std::nullopt, true,
         LinkVerdict::Unchecked},
        {"recalled on open, unreadable", true, kRecallOnOpen, older, std::nullopt, true,
         LinkVerdict::Unchecked},
    };
    for (const Case& c : cases) {
        listed.data.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE | c.attributes;
        bool asked = false;
        const LinkVerdict verdict =
            JudgeShortcut(c.isListed ? &listed : nullptr, desktop, c.recorded, wanted, [&] {
                asked = true;
                return c.read;
            });
        EXPECT_EQ(verdict, c.verdict) << c.what;
        EXPECT_EQ(asked, c.readAsked) << c.what;
    }
}
