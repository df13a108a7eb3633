#pragma once
// Removing what a configuration installed: after an administrator moves its ".cfg" from
// "Configs" into a folder "Retired" beside it, or by name with "/remove". What is ours
// is what the install record (InstallRecord.h) says the configuration installed, under
// a name its configuration gives, still exactly as recorded, and what no current
// configuration claims; a file installed before the record existed is judged by its
// configuration as it reads now. The rules are RemovalDecision.h's. Everything else is
// kept, with one debug line saying why. Keeping a file is never a failure; a
// removal that fails is, and so is a run that cannot see every current configuration:
// it removes nothing.
#include "core/RemovalDecision.h"

#include <string>

namespace Module1 {

struct InstallRun;
class ConfigValues;

// Notes what every configuration of "Configs" claims (sExcept aside) that the run has
// not installed: its record and its file. True when the run saw every one of them;
// otherwise nothing may be removed, and run.current.blind says why.
bool NoteCurrentConfigs(InstallRun& run, const std::wstring& sExcept);
// Removes what the record of sConfigName says it installed, item by item, and drops
// each item removed (or gone) from the record. Only names `values`, the configuration
// file's, gives are removed; with judgesUnrecorded an item the record does not hold is
// judged by them too. Call NoteCurrentConfigs first, and nothing of this when it
// returned false. True when every removal that was due succeeded.
bool RemoveRecordedInstalls(InstallRun& run, const std::wstring& sConfigName,
                            const ConfigValues& values, bool judgesUnrecorded);
// A run that cannot see every current configuration removes nothing: true, with one
// line (a failed step) naming `who`, when that is so.
bool Blind(const InstallRun& run, const wchar_t* who);
// What installing the configuration writes into its desktop shortcut, field by field as
// a link written with them reads back: the one answer to what a configuration decides
// in a shortcut.
LinkFields ConfiguredShortcut(const ConfigValues& values);

// "/remove": what configuration sConfigName installs, read from "Retired\<name>.cfg", or
// else from "Configs\<name>.cfg". True when every step succeeded.
bool RemoveConfig(InstallRun& run, const std::wstring& sConfigName);
// What the record holds of each configuration this run found to be for other users
// (run.notForUser). Runs after installing those of "Configs" with the same run.
bool RemoveConfigsNotForUser(InstallRun& run);
// What each configuration in "Retired" installs. Runs after installing those of
// "Configs" with the same run. No folder "Retired" is nothing to do.
bool RemoveRetiredConfigs(InstallRun& run);

} // namespace Module1
