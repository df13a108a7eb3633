#include "support/AppPath.h"

#include "support/Probes.h"

#include <gtest/gtest.h>

// The test program is build/tests/support_tests.exe: the folder and the name must be
// its own, whatever the current folder is.
TEST(AppPath, IsTheFolderOfTheRunningProgramWithOneTrailingBackslash) {
    const std::wstring folder = CommonModule::AppPath();
    ASSERT_GE(folder.size(), 3u);
    EXPECT_EQ(folder.back(), L'\\');
    EXPECT_NE(folder[folder.size() - 2], L'\\');
    EXPECT_EQ(CommonModule::ExeName(), L"support_tests");
    EXPECT_TRUE(CommonModule::IsExistingFile(folder + L"support_tests.exe"));
    EXPECT_TRUE(folder.ends_with(L"\\tests\\")) << "the build puts the test programs there";
    SetCurrentDirectoryW(L"C:\\");
    EXPECT_EQ(CommonModule::AppPath(), folder);
}
