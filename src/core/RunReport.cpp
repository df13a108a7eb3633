#include "core/RunReport.h"

#include "core/RunEnd.h"
#include "support/Accounts.h"
#include "support/DebugLog.h"
#include "support/EventLog.h"

namespace Module1 {

namespace {

using CommonModule::EventLevel;

std::wstring Count(unsigned n, const wchar_t* one, const wchar_t* many) {
    return std::to_wstring(n) + L" " + (n == 1 ? one : many);
}

// A command line can be as long as an event: the text shows its start.
std::wstring Shown(const std::wstring& sCommandLine) {
    constexpr size_t kShown = 260;
    if (sCommandLine.size() <= kShown) return sCommandLine;
    return sCommandLine.substr(0, kShown) + L"...";
}

} // namespace

std::wstring RunReportText(const std::wstring& sCommandLine, ExitCode code, const RunTally& tally,
                           const std::vector<std::wstring>& failedSteps,
                           const std::wstring& sUser) {
    // A run that never had its turn touched nothing, whatever its exit code says.
    const std::wstring meaning =
        tally.bTurnNotHad ? L"nothing ran, as another Dorvane run for this user did not end in time"
                          : ExitCodeMeaning(code);
    std::wstring text = L"Dorvane \"" + Shown(sCommandLine) + L"\"" +
                        (sUser.empty() ? L"" : L" run by " + sUser) + L" ended with exit code " +
                        std::to_wstring(static_cast<int>(code)) + L": " + meaning + L".\r\n";
    text += L"Installed: " + Count(tally.installed, L"file", L"files") + L". Unchanged: " +
            Count(tally.unchanged, L"file", L"files") + L". Removed: " +
            Count(tally.removed, L"file", L"files") + L". Not for this user: " +
            Count(tally.notForUser, L"configuration", L"configurations") + L".\r\n";
    if (failedSteps.empty()) return text;
    text += L"Failed steps:\r\n";
    // Room for the last line, whatever the number it counts.
    constexpr size_t kTail = 40;
    size_t listed = 0;
    for (const auto& line : failedSteps) {
        if (listed == kListedFailures ||
            text.size() + line.size() + 2 > CommonModule::kLongestEventText - kTail)
            break;
        text += line + L"\r\n";
        ++listed;
    }
    if (listed < failedSteps.size())
        text += L"... and " + std::to_wstring(failedSteps.size() - listed) + L" more.";
    return text;
}

RunReport::RunReport() {
    CommonModule::SetStepFailureSink([this](const std::wstring& line) { failed_.push_back(line); });
}

RunReport::~RunReport() {
    CommonModule::SetStepFailureSink({});
}

EventChoice ChooseEvent(ExitCode code, const RunTally& tally,
                        const CommonModule::EventLogSettings& switches) {
    if (!switches.bEnabled || (code == ExitOk && !switches.bSuccess)) return {};
    // A run that could not do anything at all is an error; one that did part of it, a
    // warning.
    if (code == ExitNoAction || code == ExitWordMissing || tally.bTurnNotHad)
        return {EventLevel::Error, kEventRunNotDone};
    if (code != ExitOk) return {EventLevel::Warning, kEventStepFailed};
    return {EventLevel::Information, kEventRunSucceeded};
}

ExitCode RunReport::Finish(const std::wstring& sCommandLine, ExitCode code,
                           const CommonModule::EventLogSettings& switches) const {
    const EventChoice event = ChooseEvent(code, tally, switches);
    if (event.id == 0) return code;
    std::wstring why;
    const CommonModule::Account user = CommonModule::CurrentAccount();
    if (!CommonModule::WriteEvent(event.level, event.id,
                                  RunReportText(sCommandLine, code, tally, failed_, user.name), why,
                                  user.sid))
        CommonModule::DPrint(L"RunReport: no event written: " + why);
    return code;
}

} // namespace Module1
