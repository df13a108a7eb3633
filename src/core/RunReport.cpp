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

// Up to kListedFailures lines under the heading, as many as fit; the rest counted.
void Listed(std::wstring& text, const wchar_t* heading, const std::vector<std::wstring>& lines) {
    if (lines.empty()) return;
    // Room for the heading and the last line, whatever the number it counts.
    constexpr size_t kTail = 40;
    if (text.size() + kTail > CommonModule::kLongestEventText) return;
    // A list before that ended on its count ends without a line break.
    if (!text.ends_with(L"\r\n")) text += L"\r\n";
    text += heading;
    text += L"\r\n";
    size_t listed = 0;
    for (const auto& line : lines) {
        if (listed == kListedFailures ||
            text.size() + line.size() + 2 > CommonModule::kLongestEventText - kTail)
            break;
        text += line + L"\r\n";
        ++listed;
    }
    if (listed < lines.size())
        text += L"... and " + std::to_wstring(lines.size() - listed) + L" more.";
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
    if (code == ExitOk && !tally.notices.empty())
        text += L"It ended with notices, which change nothing and fail nothing.\r\n";
    text += L"Installed: " + Count(tally.installed, L"file", L"files") + L". Unchanged: " +
            Count(tally.unchanged, L"file", L"files") + L". Removed: " +
            Count(tally.removed, L"file", L"files") + L". Not for this user: " +
            Count(tally.notForUser, L"configuration", L"configurations") + L".\r\n";
    Listed(text, L"Failed steps:", failedSteps);
    Listed(text, L"Notices:", tally.notices);
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
    if (!switches.bEnabled) return {};
    // A run that did all it was asked, but has something to tell: in place of none.
    if (code == ExitOk && !tally.notices.empty()) return {EventLevel::Warning, kEventNotices};
    if (code == ExitOk && !switches.bSuccess) return {};
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
