#include "ui/WindowMode.h"

#include "support/DebugLog.h"
#include "ui/Form1.h"
#include "ui/Form2.h"

#include <cwchar>

namespace WindowMode {

namespace {

struct Search {
    const wchar_t* className;
    HWND except;
    HWND found;
};

BOOL CALLBACK Match(HWND hWnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    wchar_t name[64] = {};
    if (hWnd == s->except || !GetClassNameW(hWnd, name, 64)) return TRUE;
    if (std::wcscmp(name, s->className) != 0) return TRUE;
    s->found = hWnd;
    return FALSE;
}

} // namespace

HWND FindOnThread(const wchar_t* className, HWND except) {
    Search s{className, except, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), Match, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

void WindowClosing(HWND hWnd) {
    if (!FindOnThread(Form1::kClassName, hWnd) && !FindOnThread(Form2::kClassName, hWnd))
        PostQuitMessage(0);
}

int Run() {
    if (!Form1::Show()) {
        CommonModule::DPrint(L"Form1: the main window could not be created");
        return 1;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Tab, the arrow keys, Enter and Space work as in a dialog box, in every
        // window of ours.
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && IsDialogMessageW(root, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

} // namespace WindowMode
