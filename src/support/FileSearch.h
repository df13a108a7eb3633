#pragma once
// Lists the files matching one or more ";"-separated patterns in a folder, and
// optionally in its subfolders, depth first.
#include "support/Collection.h"

#include <string>

namespace CommonModule {

// Replaces `result` with a new collection of full paths. A subfolder of sFolder named
// sSkipped (letter case aside) is not searched.
void FindFiles(std::wstring sFolder, std::wstring sPatterns, Collection& result, bool bRecurse,
               const std::wstring& sSkipped = {});
Collection FindFilesInDir(std::wstring sFolder, const std::wstring& sPatterns, bool bRecurse);

} // namespace CommonModule
