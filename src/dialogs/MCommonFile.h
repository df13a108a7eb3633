#pragma once
// The system's Explorer-style open-file dialog, run with a hook of our own: the hook,
// not the dialog's flags, checks that each named file exists, so the warning and the
// dialog staying open look the same on every system. One dialog at a time.
#include "dialogs/FileDialogRules.h"

#include <windows.h>

#include <string>

namespace MCommonFile {

// Result: 1 when a file was chosen in single selection (its full path in sFilePath),
// the number of files named in multiple selection (sFilePath then holds the folder, a
// NUL, the dialog's file-name text and two NULs), 0 when the user cancelled, the
// dialog failed or another dialog of this module is still open. After a 0:
// sFilePath is empty, lFilterIndex -1 and lFlags 0. bReadOnly, lFilterIndex and
// lFlags otherwise come back as the dialog left them.
long ShowOpenFileDialog(std::wstring& sFilePath, bool bFileMustExist, bool bMultiSelect,
                        bool& bReadOnly, bool bHideReadOnly, const std::wstring& sFilter,
                        long& lFilterIndex, const std::wstring& sInitialDir,
                        const std::wstring& sTitle, const std::wstring& sDefaultExt, HWND hWndOwner,
                        DWORD& lFlags);

UINT_PTR CALLBACK OpenFileDialogHook(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

} // namespace MCommonFile
