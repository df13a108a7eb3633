#pragma once
// The command line of silent mode: its argument string and the action it chooses.
// Blanks at the end of the line do not count. Words and prefixes match in any letter
// case; "/copy" is tested before "/install", so "/copyall x" is a copy. A prefix's
// argument loses one pair of double quotes round it; one that is empty or still begins
// with "/" makes the line mistyped. "/remove" takes the rest of the line after one
// blank as the name, and "/check" an optional name. "/registerevents" and
// "/unregisterevents" match as whole words.
#include "core/ExitCodes.h"
#include "core/RunTally.h"

#include <string>

namespace Module1 {

// The argument string of the process: what follows the program's own path, never
// split into words.
std::wstring CommandLineArguments();
std::wstring ArgumentsFromCommandLine(const std::wstring& sFullCommandLine);

enum class Action {
    InstallAll,
    CopyAll,
    Copy,
    Install,
    Remove,
    Check, // what "/installall" (or "/install" with a name) would do, writing nothing
    RegisterEvents,
    UnregisterEvents,
    Mistyped,
    None
};

struct ParsedCommand {
    Action action = Action::None;
    std::wstring argument; // the file or configuration name; for Mistyped, what stood there
    // For Mistyped: the action the line begins with, whose argument is wrong.
    Action intended = Action::None;
};

ParsedCommand ParseCommandLine(const std::wstring& sCommandLine);
// Runs the action to its end; tally says what it did.
ExitCode RunCommandLine(const std::wstring& sCommandLine, RunTally& tally);
ExitCode RunCommandLine(const std::wstring& sCommandLine);

} // namespace Module1
