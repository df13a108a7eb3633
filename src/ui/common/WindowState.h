#pragma once
// One way to build a window: its state lives in a unique_ptr reached through the window
// itself, made at WM_NCCREATE and freed at WM_NCDESTROY, and every message runs inside
// HandlerGuard. The window keeps its thread's message loop running while it lives.
#include "ui/common/HandlerGuard.h"
#include "ui/common/ThreadWindows.h"

#include <windows.h>

#include <memory>

namespace WindowState {

template <class State> State* Of(HWND hWnd) {
    return reinterpret_cast<State*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

// A window's own handler: every message after WM_NCCREATE, its state at hand.
template <class State> using Handler = LRESULT (*)(HWND, State&, UINT, WPARAM, LPARAM);

// The window procedure to register; Name starts the window's debug lines.
template <const wchar_t* Name, class State, Handler<State> Handle>
LRESULT CALLBACK Procedure(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return HandlerGuard::Call(
        Name, hWnd, msg, wParam, lParam, [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_NCCREATE) {
                auto state = std::make_unique<State>();
                SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
                ThreadWindows::Mark(h);
                return DefWindowProcW(h, m, w, l);
            }
            State* s = Of<State>(h);
            if (m == WM_NCDESTROY) {
                const std::unique_ptr<State> owned(s);
                SetWindowLongPtrW(h, GWLP_USERDATA, 0);
                ThreadWindows::Unmark(h);
                return DefWindowProcW(h, m, w, l);
            }
            if (m == WM_DESTROY) ThreadWindows::Closing(h);
            return s ? Handle(h, *s, m, w, l) : DefWindowProcW(h, m, w, l);
        });
}

} // namespace WindowState
