#pragma once
// Exit codes of silent mode (window mode always exits with ExitOk).

namespace Module1 {

enum ExitCode : int {
    ExitOk = 0,          // the action ran and every step succeeded
    ExitStepFailed = 1,  // the action ran and a step failed
    ExitNoAction = 2,    // the command line matched no action
    ExitWordMissing = 3, // Word was not found, so nothing ran
    ExitNoRights = 4,    // registering the event source needs administrator rights
};

} // namespace Module1
