#pragma once
// The rules the open-file dialog call is built from.
#include <windows.h>

#include <string>
#include <vector>

namespace MCommonFile {

// The structure size the system accepts: the short form before version 5.0.
DWORD StructSizeForVersion(DWORD dwMajor, DWORD dwMinor);
DWORD StructSizeForThisSystem();
// Our hook always, the Explorer style and resizing; never the dialog's own existence
// checks (bits 0x20 and 0x40 of the caller's flags are the hook and template bits).
DWORD DialogFlags(DWORD lFlags, bool bMultiSelect, bool bReadOnly, bool bHideReadOnly);
// "Description|pattern|..." to the dialog's NUL-separated list; ":" also separates.
std::wstring FilterForDialog(const std::wstring& sFilter);
// The dialog's 260-character file buffer, holding as much of sFilePath as fits with
// its terminating NUL.
std::wstring FileBuffer(const std::wstring& sFilePath);
// Full paths of the names in the dialog's file-name text ("a.dot" or "\"a.dot\"
// \"b.dot\""), each combined with the folder. Both texts as the dialog reports them,
// NUL included; nothing when either was never read.
std::vector<std::wstring> CollectSelectedPaths(const std::wstring& sFolder,
                                               const std::wstring& sFileSpec);
// The folder and name combined by the shell ("" when that fails); a fully qualified
// name ignores the folder.
std::wstring CombinePath(const std::wstring& sFolder, const std::wstring& sName);
// A file, not a folder, stands at the path.
bool IsExistingFile(const std::wstring& sPath);

} // namespace MCommonFile
