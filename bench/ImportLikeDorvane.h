#pragma once
// For the minimal programs that stand beside Dorvane.exe in the benchmark: the build
// writes dorvane_imports.h from Dorvane.exe's import list; the calls below never run,
// they only make the loader map each of those DLLs at start, as it does for Dorvane.exe.
#include "dorvane_imports.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <imagehlp.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <winternl.h>

namespace bench {

inline volatile int never = 0;

inline void ImportLikeDorvane() {
    if (!never) return;
#ifdef IMPORTS_COMCTL32
    InitCommonControls();
#endif
#ifdef IMPORTS_COMDLG32
    GetOpenFileNameW(nullptr);
#endif
#ifdef IMPORTS_SHLWAPI
    PathFileExistsW(L"");
#endif
#ifdef IMPORTS_IMAGEHLP
    MakeSureDirectoryPathExists("");
#endif
#ifdef IMPORTS_SHELL32
    SHGetSpecialFolderLocation(nullptr, 0, nullptr);
#endif
#ifdef IMPORTS_OLE32
    CoTaskMemFree(nullptr);
#endif
#ifdef IMPORTS_OLEAUT32
    SysFreeString(nullptr);
#endif
#ifdef IMPORTS_GDI32
    GetStockObject(0);
#endif
#ifdef IMPORTS_USER32
    MessageBoxW(nullptr, L"", L"", MB_OK);
#endif
#ifdef IMPORTS_ADVAPI32
    RegCloseKey(nullptr);
#endif
#ifdef IMPORTS_NTDLL
    RtlNtStatusToDosError(0);
#endif
#ifdef IMPORTS_VERSION
    GetFileVersionInfoSizeW(L"", nullptr);
#endif
}

} // namespace bench
