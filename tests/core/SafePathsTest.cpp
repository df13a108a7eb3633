#include "core/SafePaths.h"

#include <gtest/gtest.h>

namespace {
bool Inside(const std::wstring& path) {
    std::wstring why;
    const bool ok = SafePaths::StaysInside(path, why);
    EXPECT_EQ(ok, why.empty()) << "a refusal always says why";
    return ok;
}
} // namespace

TEST(SafePaths, NamesAndSubfoldersStayInside) {
    EXPECT_TRUE(Inside(L"Letter.dotx"));
    EXPECT_TRUE(Inside(L"Sub\\Letter.dotx"));
    EXPECT_TRUE(Inside(L"Sub/Letter.dotx"));
    EXPECT_TRUE(Inside(L"Company Letter"));
    EXPECT_TRUE(Inside(L"Report.final.dot"));
    EXPECT_TRUE(Inside(L"..Letter.dotx")); // dots inside a name are a name
    EXPECT_TRUE(Inside(L"*.dotx"));
    EXPECT_TRUE(Inside(L"console.dotx"));
}

TEST(SafePaths, ParentSegmentsLeaveTheFolderWhateverTheSeparator) {
    EXPECT_FALSE(Inside(L".."));
    EXPECT_FALSE(Inside(L"..\\Secret.dotx"));
    EXPECT_FALSE(Inside(L"../Secret.dotx"));
    EXPECT_FALSE(Inside(L"Sub\\..\\..\\x"));
    EXPECT_FALSE(Inside(L"Sub/../../x"));
    EXPECT_FALSE(Inside(L"Sub\\.. \\x")); // Windows drops trailing blanks and dots
    EXPECT_FALSE(Inside(L"...\\x"));
}

TEST(SafePaths, RootedDriveAndUncPathsAreRefused) {
    EXPECT_FALSE(Inside(L"\\Windows\\win.ini"));
    EXPECT_FALSE(Inside(L"/copy"));
    EXPECT_FALSE(Inside(L"\\\\server\\share\\x.dotx"));
    EXPECT_FALSE(Inside(L"\\\\?\\C:\\x"));
    EXPECT_FALSE(Inside(L"C:\\Windows\\win.ini"));
    EXPECT_FALSE(Inside(L"C:win.ini"));
    EXPECT_FALSE(Inside(L"x.dotx:stream"));
}

TEST(SafePaths, DeviceNamesAreRefusedInAnySegment) {
    EXPECT_FALSE(Inside(L"CON"));
    EXPECT_FALSE(Inside(L"nul.dotx"));
    EXPECT_FALSE(Inside(L"Sub\\COM1.ico"));
    EXPECT_FALSE(Inside(L"lpt9"));
    EXPECT_TRUE(Inside(L"COM10.ico"));
    EXPECT_TRUE(Inside(L"LPT.ico"));
}
