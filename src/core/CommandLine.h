#pragma once
// How a command line chooses its action. The two whole-line words match in any
// letter case; the two prefixes only in lower case, "/copy" tested before
// "/install", so "/copyall x" is a copy.
#include <string>

namespace Module1 {

enum class Action { InstallAll, CopyAll, Copy, Install, None };

struct ParsedCommand {
    Action action = Action::None;
    std::wstring argument; // the file or configuration name for Copy and Install
};

ParsedCommand ParseCommandLine(const std::wstring& sCommandLine);

} // namespace Module1
