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
    const RecordedShortcut same{{desktop + L"\\letter.LNK", 900, (7ull << 32) | 5}, wanted};
    RecordedShortcut older = same, otherFields = same;
    older.file.time -= 1;
    otherFields.fields = other;
    constexpr DWORD kRecallOnDataAccess = 0x00400000, kRecallOnOpen = 0x00040000;
    using V = LinkVerdict;
    // (listed?, its attributes, the record, what a read gives (none: it fails), read?, verdict)
    const std::tuple<bool, DWORD, RecordedShortcut, std::optional<LinkFields>, bool, V> cases[] = {
        {true, kRecallOnDataAccess, same, std::nullopt, false, V::Unchanged},
        {true, 0, older, wanted, true, V::Unchanged},
        {true, 0, older, other, true, V::Write},
        {true, 0, otherFields, other, true, V::Write},
        {true, 0, RecordedShortcut{}, wanted, true, V::Unchanged},
        {false, 0, same, wanted, true, V::Unchanged},
        {true, 0, older, std::nullopt, true, V::Write},
        {true, kRecallOnDataAccess, older, std::nullopt, true, V::Unchecked},
        {true, kRecallOnOpen, older, std::nullopt, true, V::Unchecked},
    };
    int i = 0;
    for (const auto& [isListed, attributes, recorded, read, readAsked, verdict] : cases) {
        listed.data.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE | attributes;
        bool asked = false;
        EXPECT_EQ(JudgeShortcut(isListed ? &listed : nullptr, desktop, recorded, wanted,
                                [&] {
                                    asked = true;
                                    return read;
                                }),
                  verdict)
            << i;
        EXPECT_EQ(asked, readAsked) << i++;
    }
}
