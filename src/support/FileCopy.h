#pragma once
#include <string>
#include <vector>

namespace CommonModule {

// Copies a file (or what a wildcard matches) into a folder through the shell.
// True only when the shell operation reported success.
bool CopyFiles(const std::wstring& sSource, const std::wstring& sDestFolder, bool bReplace,
               bool bRename);

// Copies the plain files named in sSources into a folder with one shell operation,
// replacing what is there without asking; the shell's answer for the whole operation.
bool CopyFilesInto(const std::vector<std::wstring>& sSources, const std::wstring& sDestFolder);

} // namespace CommonModule
