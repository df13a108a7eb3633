#pragma once
// What a configuration installed before and no longer installs: a renamed ShortcutName
// leaves the old shortcut behind, another TemplateFile the old template. The install
// record still names them; once every current configuration of the run has said what
// it installs, they are removed by the rules of retiring (RemovalDecision.h), and the
// record's entry passes to what the configuration installs now.
#include "core/InstallRecord.h"

#include <string>

namespace Module1 {

struct InstallRun;
struct InstallDecision;

// What `recorded`, a configuration's record, holds that the configuration no longer
// installs as its decision `d` says. A kind whose name the install refuses, or a
// template it lacks, tells nothing: a typo in a configuration takes nothing off the
// desktops; nor does a shortcut when shortcuts were not asked for.
InstallRecord FormerInstalls(const InstallRecord& recorded, const InstallDecision& d);

// Keeps the install record of the configuration `d` installed (`landed`), and notes in
// the run what the record held that it no longer installs. Those entries stay in the
// record until RemoveFormerInstalls judges them; what replaces them is recorded then.
bool KeepRecord(InstallRun& run, const InstallDecision& d, InstallRecord landed, std::wstring& why);

// Removes what KeepRecord noted, item by item. Runs after installing those of
// "Configs" with the same run; true when every removal that was due succeeded.
bool RemoveFormerInstalls(InstallRun& run);

} // namespace Module1
