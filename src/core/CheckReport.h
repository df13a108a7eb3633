#pragma once
// The words of "/check": one line per finding, and per configuration its decision. Made
// from values only; CheckRun.cpp gathers them and writes nothing.
#include "core/InstallDecision.h"
#include "core/RemovalDecision.h"

#include <string>
#include <vector>

namespace Module1 {

// Where a folder of the user's lies: a file server's folder or a OneDrive folder costs
// round trips and may hold files only on demand.
enum class Place { Local, Network, OneDrive };
// oneDriveRoots: the folders %OneDrive%, %OneDriveCommercial% and %OneDriveConsumer%
// name (empty ones ignored); remote: the folder's drive is a network drive.
Place PlaceOf(const std::wstring& sFolder, const std::vector<std::wstring>& oneDriveRoots,
              bool remote);
const wchar_t* PlaceWord(Place place);

// What removing a configuration's installs would do, as one decision: remove (the paths
// that would go), cannot (the first failure), or unchanged when nothing would go.
// sWhy: why it is removed ("retired", "no longer for this user ...").
InstallDecision RemovalAsDecision(const std::wstring& sConfigName, const std::wstring& sWhy,
                                  const std::vector<Removal>& removals);

// The kind's word in reports.
const wchar_t* KindWord(InstallDecision::Kind kind);
// "<name>: <kind> (<reason>): "<path>", ..."
std::wstring DecisionLine(const InstallDecision& decision);

} // namespace Module1
