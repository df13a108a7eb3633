#pragma once
// The removing itself, for RetireConfig.cpp: each item is looked at without following a
// link, judged by DecideRemoval (RemovalDecision.h), and a file it answers "remove" for
// is deleted through the handle it was looked at by, then dropped from the record.
#include "core/RemovalDecision.h"

#include <string>

namespace Module1 {

struct InstallRun;

// Judges the shortcut, the icon copy and the template copy of sConfigName by `record`
// and `gives`, and does what each answer says, with one line for each file removed or
// kept. Each item judged leaves the record, or, given successors, the record's entry
// for it names the successor of its kind instead (none: the entry goes). True when
// every step that was due succeeded.
bool RemoveInstalls(InstallRun& run, const std::wstring& sConfigName, const InstallRecord& record,
                    const RetiredGives& gives, const InstallRecord* successors = nullptr);

} // namespace Module1
