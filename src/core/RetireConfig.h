#pragma once
// Retiring a configuration: an administrator moves its ".cfg" from "Configs" into a
// folder "Retired" beside it. What installing it put into the user's profile is then
// removed, but only what is still exactly what an install wrote there and what no
// configuration of "Configs" installs as well; everything else is kept, with one debug
// line saying why. Keeping a file is never a failure; a removal that fails is.
#include <string>

namespace Module1 {

struct InstallRun;

// Removes what configuration sConfigName installs, read from "Retired\<name>.cfg", or
// else from "Configs\<name>.cfg". True when every step succeeded.
bool RemoveConfig(InstallRun& run, const std::wstring& sConfigName);
// Removes what each configuration in "Retired" installs. Runs after installing those
// of "Configs" with the same run, whose names it keeps. No folder "Retired" is nothing
// to do.
bool RemoveRetiredConfigs(InstallRun& run);

} // namespace Module1
