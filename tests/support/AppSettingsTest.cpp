#include "support/AppSettings.h"

#include "support/DebugLog.h"
#include "support/Text.h"
#include "testlib/DebugCapture.h"

#include <gtest/gtest.h>

using namespace CommonModule;

TEST(AppSettings, StartBannerWithAndWithoutIniPath) {
    testlib::DebugCapture capture;
    InitAppSettings(false, true);
    EXPECT_EQ(sAppINI, L"");
    ASSERT_EQ(capture.lines().size(), 3u);
    EXPECT_EQ(capture.lines()[0], "\t");
    const std::string& second = capture.lines()[1];
    EXPECT_EQ(second.substr(0, 1), "\t");
    const std::string starting = " - Starting " + Text::ToAnsi(AppVersionString(L"", L""));
    EXPECT_EQ(second.substr(second.size() - starting.size()), starting);
    EXPECT_GT(second.size(), starting.size() + 1); // a date in front
    EXPECT_EQ(capture.lines()[2], "\t" + std::string(40, '-'));

    capture.clear();
    InitAppSettings(true, true);
    EXPECT_EQ(sAppINI, AppPath() + L"support_tests.ini");
    EXPECT_EQ(capture.lines().size(), 3u);
    sAppINI.clear();
}
