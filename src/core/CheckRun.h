#pragma once
// "/check": what a run would do for the current user, found out and reported without
// writing anything: no copy, shortcut, record, registry value, working folder, lock
// file or event, and no folder made. Its lines go to the debugger output and the log
// file, and to standard output when the caller redirected it.
#include "core/ExitCodes.h"

#include <string>

namespace Module1 {

// sConfigName "" checks every configuration as "/installall" would run them; otherwise
// the one "/install" would. The exit code is the one that action would end with now.
ExitCode RunCheck(const std::wstring& sConfigName);

} // namespace Module1
