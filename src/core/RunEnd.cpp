#include "core/RunEnd.h"

#include "support/DebugLog.h"

namespace Module1 {

const wchar_t* ExitCodeMeaning(ExitCode code) {
    switch (code) {
    case ExitOk:
        return L"the action ran and every step succeeded";
    case ExitStepFailed:
        return L"the action ran and a step failed";
    case ExitNoAction:
        return L"the command line matched no action";
    case ExitWordMissing:
        return L"Word was not found, so nothing ran";
    case ExitNoRights:
        return L"the event source needs administrator rights, and nothing was changed";
    }
    return L"unknown";
}

ExitCode EndSilentRun(const std::wstring& sCommandLine, ExitCode code) {
    // Quoted, so that blanks at either end, which change the action, can be seen.
    CommonModule::DPrintToFileOnly(L"Command line \"" + sCommandLine + L"\" ended with exit code " +
                                   std::to_wstring(static_cast<int>(code)) + L": " +
                                   ExitCodeMeaning(code));
    return code;
}

} // namespace Module1
