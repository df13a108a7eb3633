#pragma once
// Each silent run that did not fully succeed leaves one event in the Application log
// (source "Dorvane"): what the run did, in counts, then the failed steps as the debug
// output has them. Administrators filter many desktops by log, source and level.
#include "core/ExitCodes.h"
#include "core/RunTally.h"
#include "support/DebugSettings.h"
#include "support/EventLog.h"

#include <string>
#include <vector>

namespace Module1 {

inline constexpr unsigned long kEventRunSucceeded = 1000; // Information
inline constexpr unsigned long kEventStepFailed = 1001;   // Warning
inline constexpr unsigned long kEventRunNotDone = 1002;   // Error
// The failed steps the text lists at most; the rest are counted.
inline constexpr size_t kListedFailures = 50;

// The event's text: never longer than the event log takes in one string. Its first line
// names the user (sUser, "DOMAIN\name") whose run it was.
std::wstring RunReportText(const std::wstring& sCommandLine, ExitCode code, const RunTally& tally,
                           const std::vector<std::wstring>& failedSteps,
                           const std::wstring& sUser = {});

// Which event a run leaves: none (id 0), or its level and ID.
struct EventChoice {
    CommonModule::EventLevel level = CommonModule::EventLevel::Information;
    unsigned long id = 0;
};
EventChoice ChooseEvent(ExitCode code, const RunTally& tally,
                        const CommonModule::EventLogSettings& switches);

// Collects the failed steps while it lives (the debug log's failure channel).
class RunReport {
  public:
    RunReport();
    ~RunReport();
    RunReport(const RunReport&) = delete;
    RunReport& operator=(const RunReport&) = delete;

    RunTally tally;

    // Writes the run's event when the switches ask for one. A log that cannot be written
    // costs one debug line, never the run: the exit code stays as it is.
    ExitCode Finish(const std::wstring& sCommandLine, ExitCode code,
                    const CommonModule::EventLogSettings& switches) const;

  private:
    std::vector<std::wstring> failed_;
};

} // namespace Module1
