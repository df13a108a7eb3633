#pragma once
// Who besides administrators can change a file or a folder: the broad groups that its
// access list lets write, append, delete, change its permissions or take it over.
#include <windows.h>

#include <string>
#include <vector>

namespace CommonModule {

// The broad groups ("Everyone", "Authenticated Users", "BUILTIN\Users", "INTERACTIVE",
// "Domain Users") that the DACL grants a right to change the object, in that order,
// where no deny entry for the group (or for Everyone) takes all of it back. A missing
// DACL grants everything to Everyone. bFolder adds the right to delete what it holds.
std::vector<std::wstring> BroadWritersOf(const ACL* dacl, bool bPresent, bool bFolder);

// The same for the DACL of the path. False, with the system's reason, when it cannot
// be read.
bool BroadWriters(const std::wstring& sPath, bool bFolder, std::vector<std::wstring>& writers,
                  std::wstring& why);

} // namespace CommonModule
