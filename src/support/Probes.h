#pragma once
// File-system probes, folder creation and the redirection bracket.
#include <string>

namespace CommonModule {

extern bool bFSRedirDisabled; // a flag, not a counter: brackets do not nest
void DisableFSRedir();
void RevertFSRedir();

bool DoesDirExist(const std::wstring& sPath);
bool DoesDirExistNoDebug(const std::wstring& sPath);
bool DoesFileExist(const std::wstring& sPath);
bool DoesFileExistLongPath(const std::wstring& sPath);
// "\\?\" form of an absolute path ("\\?\UNC\" for a "\\server\share" path); a path
// already in that form comes back unchanged.
std::wstring ExtendedLengthPath(const std::wstring& sPath);
bool CreateDirPath(const std::wstring& sPath);
// True when both paths name plain files (no folder, no reparse point) of the same size
// and the same last-write time: what a mirroring copy takes for "the same file".
bool FilesMatch(const std::wstring& sSource, const std::wstring& sDest);

} // namespace CommonModule

namespace modSpecialFolders {
constexpr int CSIDL_DESKTOP_FOLDER = 0;
constexpr int CSIDL_APPDATA_FOLDER = 26;
// The folder's path without a trailing backslash, or "" when the shell has none.
std::wstring GetSpecialFolder(int iCSIDL);
} // namespace modSpecialFolders
