#include "dialogs/MCommonFile.h"

#include "support/Text.h"

#include <cderr.h>
#include <commdlg.h>

namespace MCommonFile {

namespace {

constexpr wchar_t kNotFoundLines[] =
    L"\r\nFile not found.\r\nPlease verify the correct file name was given.";

// What the hook learns while the dialog is open; the dialog call reads it afterwards.
// It lives on the call's stack and reaches the hook through lCustData.
struct DialogState {
    bool bDlgFileMustExist = false;
    std::wstring sDlgFileSpec; // both as the dialog reports them, NUL included
    std::wstring sDlgFolder;
};

// Marks the dialog window while one of this module's dialogs is open.
constexpr wchar_t kOpenMark[] = L"Dorvane.OpenFileDialog";

BOOL CALLBACK FindMarked(HWND hWnd, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(hWnd, &process);
    if (process != GetCurrentProcessId() || !GetPropW(hWnd, kOpenMark)) return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

bool DialogOpenInProcess() {
    bool found = false;
    EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&found));
    return found;
}

DialogState* StateOf(HWND hHook) {
    return reinterpret_cast<DialogState*>(GetWindowLongPtrW(hHook, DWLP_USER));
}

// The hook's window is a child of the dialog, which answers the CDM_ messages.
void ReadDialogText(HWND hHook, UINT message, std::wstring& into) {
    const HWND dialog = GetParent(hHook);
    const LRESULT needed = SendMessageW(dialog, message, 0, 0);
    if (needed <= 0) return;
    std::wstring text(static_cast<size_t>(needed), L' ');
    SendMessageW(dialog, message, static_cast<WPARAM>(needed),
                 reinterpret_cast<LPARAM>(text.data()));
    into = std::move(text);
}

// Keeps the dialog open on the first named path that is no existing file.
UINT_PTR OnFileOk(HWND hHook, DialogState& state, const OFNOTIFYW& notify) {
    ReadDialogText(hHook, CDM_GETSPEC, state.sDlgFileSpec);
    if (!state.bDlgFileMustExist) return 0;
    for (const std::wstring& path : CollectSelectedPaths(state.sDlgFolder, state.sDlgFileSpec)) {
        if (IsExistingFile(path)) continue;
        const std::wstring text = path + kNotFoundLines;
        MessageBoxW(GetParent(hHook), text.c_str(),
                    notify.lpOFN ? notify.lpOFN->lpstrTitle : nullptr, MB_OK | MB_ICONEXCLAMATION);
        SetWindowLongPtrW(hHook, DWLP_MSGRESULT, 1);
        return 1;
    }
    return 0;
}

UINT_PTR OnNotify(HWND hHook, const OFNOTIFYW& notify) {
    DialogState* s = StateOf(hHook);
    if (!s) return 0;
    DialogState& state = *s;
    switch (notify.hdr.code) {
    case CDN_SELCHANGE:
        ReadDialogText(hHook, CDM_GETSPEC, state.sDlgFileSpec);
        return 0;
    case CDN_FOLDERCHANGE:
        ReadDialogText(hHook, CDM_GETFOLDERPATH, state.sDlgFolder);
        return 0;
    case CDN_FILEOK:
        return OnFileOk(hHook, state, notify);
    default:
        return 0;
    }
}

} // namespace

UINT_PTR CALLBACK OpenFileDialogHook(HWND hDlg, UINT uMsg, WPARAM, LPARAM lParam) {
    try {
        if (uMsg == WM_INITDIALOG) {
            const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
            SetWindowLongPtrW(hDlg, DWLP_USER, ofn ? ofn->lCustData : 0);
            SetPropW(GetParent(hDlg), kOpenMark, reinterpret_cast<HANDLE>(1));
            return 1;
        }
        if (uMsg == WM_DESTROY) {
            RemovePropW(GetParent(hDlg), kOpenMark);
            return 0;
        }
        if (uMsg == WM_NOTIFY && lParam)
            return OnNotify(hDlg, *reinterpret_cast<const OFNOTIFYW*>(lParam));
    } catch (...) {
        // Out of memory while reading the dialog's texts: let the dialog decide.
    }
    return 0;
}

long ShowOpenFileDialog(std::wstring& sFilePath, bool bFileMustExist, bool bMultiSelect,
                        bool& bReadOnly, bool bHideReadOnly, const std::wstring& sFilter,
                        long& lFilterIndex, const std::wstring& sInitialDir,
                        const std::wstring& sTitle, const std::wstring& sDefaultExt, HWND hWndOwner,
                        DWORD& lFlags) {
    const auto cancelled = [&] {
        sFilePath.clear();
        lFlags = 0;
        lFilterIndex = -1;
        return 0L;
    };
    if (DialogOpenInProcess()) return cancelled();

    const std::wstring filter = FilterForDialog(sFilter);
    std::wstring buffer = FileBuffer(sFilePath);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = StructSizeForThisSystem();
    ofn.hwndOwner = hWndOwner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(lFilterIndex);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = sInitialDir.c_str();
    ofn.lpstrTitle = sTitle.c_str();
    ofn.Flags = DialogFlags(lFlags, bMultiSelect, bReadOnly, bHideReadOnly);
    ofn.lpstrDefExt = sDefaultExt.empty() ? nullptr : sDefaultExt.c_str();
    ofn.lpfnHook = OpenFileDialogHook;
    DialogState state;
    state.bDlgFileMustExist = bFileMustExist;
    ofn.lCustData = reinterpret_cast<LPARAM>(&state);

    bool chosen = GetOpenFileNameW(&ofn) != 0;
    if (!chosen && bMultiSelect) chosen = CommDlgExtendedError() == FNERR_BUFFERTOOSMALL;
    if (!chosen) return cancelled();

    long count = 1;
    if (bMultiSelect) {
        count =
            static_cast<long>(CollectSelectedPaths(state.sDlgFolder, state.sDlgFileSpec).size());
        sFilePath = Text::CutAtNul(state.sDlgFolder) + L'\0' + Text::CutAtNul(state.sDlgFileSpec) +
                    std::wstring(2, L'\0');
    } else {
        sFilePath = Text::CutAtNul(buffer);
    }
    bReadOnly = (ofn.Flags & OFN_READONLY) != 0;
    lFlags = ofn.Flags;
    lFilterIndex = static_cast<long>(ofn.nFilterIndex);
    return count;
}

} // namespace MCommonFile
