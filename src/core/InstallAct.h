#pragma once
// Doing what a decision (InstallDecision.h) says: its steps in order, each with the
// debug line it has always had, then the install record of what landed.
#include "core/InstallConfig.h"
#include "core/InstallDecision.h"

#include <vector>

namespace Module1 {

struct InstallRun;

InstallResult ActOnDecision(InstallRun& run, const InstallDecision& decision);

// Brings the sources the decisions copy, listed plain files, into the run's working
// folder of each destination with one shell operation per folder; each copy step then
// puts its staged file in place, or copies it once more on its own when it did not
// arrive.
void StageCopies(InstallRun& run, const std::vector<InstallDecision>& decisions);

} // namespace Module1
