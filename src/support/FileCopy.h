#pragma once
#include <string>

namespace CommonModule {

// Copies a file (or what a wildcard matches) into a folder through the shell.
// True only when the shell operation reported success.
bool CopyFiles(const std::wstring& sSource, const std::wstring& sDestFolder, bool bReplace,
               bool bRename);

} // namespace CommonModule
