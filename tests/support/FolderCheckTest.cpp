#include "support/FolderCheck.h"

#include <gtest/gtest.h>

// Answers Wine cannot give: there every process is elevated and no drive is remote. Z: is
// a mapped drive; "" as the final path is one not yet asked, or a query that failed.
TEST(FolderCheck, FinalPathsAreComparedOnlyWhenElevatedAndOffTheNetwork) {
    const auto must = [](bool elevated, const std::wstring& reported, const std::wstring& final) {
        const auto mapped = [](const std::wstring& root) { return root == L"Z:\\"; };
        return CommonModule::FinalPathMustMatch(elevated, reported, final, mapped);
    };
    EXPECT_FALSE(must(false, L"C:\\u", L"D:\\x"));
    EXPECT_TRUE(must(true, L"C:\\u", L"") && must(true, L"C:\\u", L"D:\\x"));
    EXPECT_TRUE(must(true, L"\\\\.\\C:\\u", L""));
    EXPECT_FALSE(must(true, L"\\\\dfs\\r\\u", L"") || must(true, L"\\\\?\\UNC\\s\\r\\u", L""));
    EXPECT_FALSE(must(true, L"Z:\\u", L"") || must(true, L"C:\\u", L"Z:\\u"));
    EXPECT_FALSE(must(true, L"C:\\u", L"\\\\s\\r\\u"));
}
