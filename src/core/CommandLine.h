#pragma once
// The command line of silent mode: its argument string and the action it chooses.
// The two whole-line words match in any letter case; the prefixes only in lower case,
// "/copy" tested before "/install", so "/copyall x" is a copy. "/remove" takes the rest
// of the line after one blank as the name, exactly as written.
#include "core/ExitCodes.h"

#include <string>

namespace Module1 {

// The argument string of the process: what follows the program's own path, never
// split into words.
std::wstring CommandLineArguments();
std::wstring ArgumentsFromCommandLine(const std::wstring& sFullCommandLine);

enum class Action { InstallAll, CopyAll, Copy, Install, Remove, None };

struct ParsedCommand {
    Action action = Action::None;
    std::wstring argument; // the file or configuration name for Copy, Install and Remove
};

ParsedCommand ParseCommandLine(const std::wstring& sCommandLine);
// Runs the action to its end.
ExitCode RunCommandLine(const std::wstring& sCommandLine);

} // namespace Module1
