#pragma once
// No exception may unwind through the system's call of a window procedure. One that
// escapes a handler (out of memory, say) is written to the debug output and the
// message ends there; the window goes on, and a window being created fails.
#include "support/DebugLog.h"

#include <windows.h>

#include <string>

namespace HandlerGuard {

template <class Dispatch>
LRESULT Call(const wchar_t* window, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
             Dispatch&& dispatch) noexcept {
    try {
        return dispatch(hWnd, msg, wParam, lParam);
    } catch (...) {
        try {
            const CommonModule::ErrorInfo e = CommonModule::CurrentExceptionError();
            CommonModule::DPrint(std::wstring(window) + L": message " + std::to_wstring(msg) +
                                 L" failed: " + e.description);
        } catch (...) {
            // Nothing more can be said without memory.
        }
        if (msg == WM_NCCREATE) return FALSE;
        if (msg == WM_CREATE) return -1;
        return 0;
    }
}

} // namespace HandlerGuard
