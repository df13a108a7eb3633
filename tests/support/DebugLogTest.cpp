#include "support/DebugLog.h"

#include "testlib/DebugCapture.h"

#include <gtest/gtest.h>

#include <vector>

using namespace CommonModule;
using Lines = std::vector<std::string>;

TEST(DebugLog, EachValueIsPrecededByATab) {
    testlib::DebugCapture capture;
    DPrint(L"a", L"b");
    DPrint();
    DPrint(L"");
    DPrint(true, false, 42, -7L);
    DPrint(L"Gr\u00fc\u00dfe");
    EXPECT_EQ(capture.lines(), (Lines{"\ta\tb", "", "\t", "\tTrue\tFalse\t42\t-7",
                                      "\tGr\xfc\xdf"
                                      "e"}));
}

TEST(DebugLog, ErrorReportHeaderThenOneLinePerParameter) {
    testlib::DebugCapture capture;
    ReportError(L"InitAppSettings", {5, L"Invalid procedure call"},
                {{L"bSetAppINI", ToText(true)}, {L"sPath", L"C:\\x"}});
    ReportError(L"AppPath", {53, L"File not found"});
    EXPECT_EQ(capture.lines(),
              (Lines{"\tCommonModule\\InitAppSettings VB ERROR: 5 Invalid procedure call",
                     "\t\t- bSetAppINI=True", "\t\t- sPath=C:\\x",
                     "\tCommonModule\\AppPath VB ERROR: 53 File not found"}));
}

TEST(DebugLog, Win32ErrorCarriesNumberAndTextWithoutLineEnd) {
    const ErrorInfo e = Win32Error(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(e.number, 2);
    ASSERT_FALSE(e.description.empty());
    EXPECT_NE(e.description.back(), L'\n');
    EXPECT_NE(e.description.back(), L'\r');
}
