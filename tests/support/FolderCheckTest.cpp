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

// An elevated run deletes nothing on the network: a relative open reaches the server
// as a path, looked up again there.
TEST(FolderCheck, AnElevatedRunDeletesNothingOnTheNetwork) {
    const auto mapped = [](const std::wstring& root) { return root == L"Z:\\"; };
    const auto refused = [&](bool elevated, const wchar_t* folder) {
        return CommonModule::DeletesRefused(elevated, folder, mapped);
    };
    EXPECT_TRUE(refused(true, L"\\\\srv\\home\\u\\Desktop") && refused(true, L"Z:\\Desktop"));
    EXPECT_FALSE(refused(true, L"C:\\Users\\u\\Desktop"));
    EXPECT_FALSE(refused(false, L"\\\\srv\\home\\u\\Desktop") || refused(false, L"Z:\\Desktop"));
}
