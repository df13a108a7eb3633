#pragma once
// The last word of a silent run in the debug file: what was asked and how it ended.
#include "core/ExitCodes.h"

#include <string>

namespace Module1 {

// The exit code's meaning as the administrators' documentation words it.
const wchar_t* ExitCodeMeaning(ExitCode code);

// Writes the closing line to the debug file (never to the debugger output, which stays
// as monitoring tools know it) and hands the code back.
ExitCode EndSilentRun(const std::wstring& sCommandLine, ExitCode code);

} // namespace Module1
