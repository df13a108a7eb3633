// The event a silent run leaves: its text within the event log's limit, and the level
// of a run that never had its turn.
#include "core/EventSource.h"
#include "core/RunReport.h"
#include "support/EventLog.h"
#include "testlib/DebugCapture.h"

#include <gtest/gtest.h>

using namespace Module1;

TEST(RunReport, ListsFiftyFailedStepsAtMostAndStaysWithinTheEventLimit) {
    // (failed steps, their length, how many the text lists)
    const struct {
        size_t count, length, listed;
    } cases[] = {{50, 100, 50}, {60, 100, 50}, {50, 2000, 15}, {1, 40000, 0}};
    for (const auto& c : cases) {
        std::vector<std::wstring> failed;
        for (size_t i = 0; i < c.count; ++i)
            failed.push_back(std::to_wstring(i) + L":" + std::wstring(c.length, L'x'));
        const std::wstring text =
            RunReportText(std::wstring(40000, L'/'), ExitStepFailed, {}, failed);
        SCOPED_TRACE(testing::Message() << c.count << " of " << c.length);
        EXPECT_LT(text.size(), CommonModule::kLongestEventText);
        for (size_t i = 0; i < c.count; ++i)
            EXPECT_EQ(text.find(failed[i] + L"\r\n") != std::wstring::npos, i < c.listed) << i;
        const std::wstring more = L"... and " + std::to_wstring(c.count - c.listed) + L" more.";
        EXPECT_EQ(text.ends_with(more), c.listed < c.count);
    }
}

TEST(RunReport, ARunThatNeverHadItsTurnIsAnErrorWhoseUserIsToldNothingRan) {
    RunTally tally;
    tally.bTurnNotHad = true;
    EXPECT_EQ(ChooseEvent(ExitStepFailed, tally, {}).id, kEventRunNotDone);
    EXPECT_EQ(ChooseEvent(ExitStepFailed, {}, {}).id, kEventStepFailed);
    const std::wstring text = RunReportText(L"/x", ExitStepFailed, tally, {}, L"CONTOSO\\ann");
    EXPECT_EQ(text.substr(0, text.find(L"\r\n")),
              L"Dorvane \"/x\" run by CONTOSO\\ann ended with exit code 1: nothing ran, as "
              L"another Dorvane run for this user did not end in time.");
}

// Without the right to change the Application log's key (a user who is no
// administrator) one line and exit 4. Wine runs every program as an administrator and
// gives a read-only handle every right, so the system's answer is fed in.
TEST(EventSource, WithoutAdministratorRightsOneLineAndExit4) {
    for (const bool bRegister : {true, false}) {
        testlib::DebugCapture capture;
        EXPECT_EQ(EventSourceOutcome(ERROR_ACCESS_DENIED, bRegister), ExitNoRights);
        ASSERT_EQ(capture.lines().size(), 1u);
        EXPECT_NE(capture.lines()[0].find("administrator rights"), std::string::npos);
    }
}
