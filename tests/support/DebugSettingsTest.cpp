#include "support/DebugSettings.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace CommonModule;

TEST(DebugSettings, FolderValueResolvedAsAnUnattendedRunReadsIt) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"DORVANE_TEST_PROFILE", L"E:\\Users\\anna"));
    const std::wstring app = L"C:\\Apps\\Dorvane\\";
    const std::wstring share = L"\\\\srv\\apps\\Dorvane\\";
    const struct {
        std::wstring appPath, value, expected;
    } cases[] = {
        {app, L"", L"C:\\Apps\\Dorvane\\Debug"},
        {app, L"Logs\\Run\\", L"C:\\Apps\\Dorvane\\Logs\\Run"},
        {app, L"D:\\Logs\\\\", L"D:\\Logs"},
        {app, L"D:\\", L"D:\\"},
        {app, L"D:", L"D:\\"},
        {app, L"D:Logs", L"D:\\Logs"},
        {app, L"\\Logs", L"C:\\Logs"},
        {share, L"\\Logs", L"\\\\srv\\apps\\Logs"},
        {share, L"Logs", L"\\\\srv\\apps\\Dorvane\\Logs"},
        {app, L"\\\\srv\\logs\\", L"\\\\srv\\logs"},
        {app, L"%DORVANE_TEST_PROFILE%\\Dorvane\\Logs", L"E:\\Users\\anna\\Dorvane\\Logs"},
        {app, L"%DORVANE_TEST_PROFILE%", L"E:\\Users\\anna"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveDebugFolderNoDebug(c.value, c.appPath), c.expected) << c.value;
    SetEnvironmentVariableW(L"DORVANE_TEST_PROFILE", nullptr);
}
