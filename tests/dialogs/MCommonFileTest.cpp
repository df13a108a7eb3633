#include "dialogs/MCommonFile.h"

#include <commdlg.h>

#include <gtest/gtest.h>

using namespace MCommonFile;

namespace {
// The literal with its inner NULs (and without the one the compiler adds).
template <size_t N> std::wstring Nul(const wchar_t (&text)[N]) {
    return std::wstring(text, N - 1);
}
} // namespace

TEST(OpenFileDialog, FilterBarsAndColonsBecomeNuls) {
    struct Case {
        std::wstring filter, expected;
    } cases[] = {
        {L"Icons (*.ico)|*.ico", Nul(L"Icons (*.ico)\0*.ico\0\0")},
        // A trailing bar only adds one more NUL.
        {L"All Files (*.*)|*.*|", Nul(L"All Files (*.*)\0*.*\0\0\0")},
        // A colon ends its part too.
        {L"Docs: Word|*.doc", Nul(L"Docs\0 Word\0*.doc\0\0")},
        {L"", Nul(L"\0\0")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FilterForDialog(c.filter), c.expected);
}

TEST(OpenFileDialog, FlagsKeepCallerBitsButNeverItsHookOrTemplate) {
    // What both Browse buttons pass.
    EXPECT_EQ(DialogFlags(0, false, false, false), 0x880020u);
    EXPECT_EQ(DialogFlags(0, true, true, true), 0x880225u);
    // The caller's hook (0x20) and template (0x40) bits go; the existence checks
    // (0x1000, 0x800) the caller asked for stay, other bits too.
    EXPECT_EQ(DialogFlags(0x60 | 0x1000 | 0x800 | 0x2, false, false, false), 0x881822u);
}

TEST(OpenFileDialog, StructureSizeFollowsTheSystemVersion) {
    EXPECT_EQ(StructSizeForVersion(4, 99), 76u);
    EXPECT_EQ(StructSizeForVersion(5, 0), 88u);
    EXPECT_EQ(StructSizeForVersion(10, 0), 88u);
    EXPECT_EQ(StructSizeForThisSystem(), 88u);
}

TEST(OpenFileDialog, FileBufferAlwaysEndsInNul) {
    EXPECT_EQ(FileBuffer(L"a.dot"), L"a.dot" + std::wstring(255, L'\0'));
    const std::wstring longName(300, L'x');
    const std::wstring buffer = FileBuffer(longName);
    ASSERT_EQ(buffer.size(), 260u);
    EXPECT_EQ(buffer.substr(0, 259), longName.substr(0, 259));
    EXPECT_EQ(buffer.back(), L'\0');
}

TEST(OpenFileDialog, CollectSelectedPathsFromQuotedAndPlainNames) {
    const std::wstring folder = Nul(L"C:\\T\0");
    struct Case {
        std::wstring selected;
        std::vector<std::wstring> expected;
    } cases[] = {
        {Nul(L"a.dot\0"), {L"C:\\T\\a.dot"}},
        {Nul(L"\"a b.dot\" \"c.dot\"\0"), {L"C:\\T\\a b.dot", L"C:\\T\\c.dot"}},
        {L"\"only.dot\"", {L"C:\\T\\only.dot"}},
        // A typed full path stays as typed.
        {L"D:\\Other\\x.dot", {L"D:\\Other\\x.dot"}},
        // An unclosed quote takes the rest of the text.
        {L"\"a.dot\" \"b.d", {L"C:\\T\\a.dot", L"C:\\T\\b.d"}},
        {L"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CollectSelectedPaths(folder, c.selected), c.expected);
    EXPECT_TRUE(CollectSelectedPaths(L"", L"a.dot").empty());
}
