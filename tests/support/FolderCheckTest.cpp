#include "support/FolderCheck.h"

#include <gtest/gtest.h>

using namespace CommonModule;

// The token's and the drives' answers Wine cannot give: there every process is elevated
// and no drive is remote. Z: stands for a mapped network drive.
TEST(FolderCheck, FinalPathsAreComparedOnlyForAnElevatedProcessOffTheNetwork) {
    const RemoteDriveQuery mapped = [](const std::wstring& root) { return root == L"Z:\\"; };
    const std::wstring local = L"C:\\Users\\u\\Desktop";
    struct Case {
        bool elevated;
        std::wstring reported, finalPath; // "" while unknown or when the query failed
        bool mustMatch;
    } cases[] = {
        {false, local, L"", false},
        {false, local, L"D:\\elsewhere", false},
        {true, local, L"", true},
        {true, local, L"D:\\elsewhere", true},
        {true, L"\\\\?\\" + local, local, true},
        {true, L"\\\\.\\C:\\x", L"", true}, // a device path is not a share
        {true, L"\\\\dfs\\root\\u\\Desktop", L"", false},
        {true, L"\\\\?\\UNC\\srv\\share\\u", L"", false},
        {true, L"Z:\\u\\Desktop", L"", false},
        {true, local, L"\\\\srv\\share\\u\\Desktop", false},
        {true, local, L"Z:\\u", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FinalPathMustMatch(c.elevated, c.reported, c.finalPath, mapped), c.mustMatch)
            << c.elevated << " " << c.reported << " -> " << c.finalPath;
}
