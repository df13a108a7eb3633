// The smallest program that starts like Dorvane.exe: a GUI process with the same
// manifest that imports the same system DLLs, and ends at once. The calls below
// never run; they are there so that the loader maps each DLL at start, as it does
// for Dorvane.exe. bench/run.sh checks that both import the same DLLs.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <imagehlp.h>
#include <shlobj.h>
#include <shlwapi.h>

namespace {
volatile int never = 0;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (never) {
        InitCommonControls();                                  // comctl32
        GetOpenFileNameW(nullptr);                             // comdlg32
        PathFileExistsW(L"");                                  // shlwapi
        MakeSureDirectoryPathExists("");                       // imagehlp
        SHGetSpecialFolderLocation(nullptr, 0, nullptr);       // shell32
        CoTaskMemFree(nullptr);                                // ole32
        GetStockObject(0);                                     // gdi32
        MessageBoxW(nullptr, L"", L"", MB_OK);                 // user32
        RegCloseKey(nullptr);                                  // advapi32
    }
    return 0;
}
