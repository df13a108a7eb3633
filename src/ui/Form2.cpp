#include "ui/Form2.h"

#include "support/ScopedWin.h"
#include "ui/common/Fonts.h"
#include "ui/Form2Layout.h"
#include "ui/common/WindowClass.h"
#include "ui/common/ThreadWindows.h"
#include "ui/common/WindowState.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace Form2 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// A tool window: thin caption, close button only, no taskbar button.
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

struct State {
    ScopedWin::UniqueFont font;
    ScopedWin::UniqueFont heading;
    std::vector<HWND> labels; // in the order of Form2Layout::kLabels
};

bool OnCreate(HWND hWnd, State& s) {
    const int dpi = Layout::WindowDpi(hWnd);
    s.font = Fonts::LayoutFont(dpi);
    s.heading = Fonts::LayoutFont(dpi, true);
    s.labels =
        Layout::CreateControls(hWnd, Form2Layout::kLabels, {s.font.get(), s.heading.get()}, dpi);
    Layout::FitClientArea(hWnd, Form2Layout::kClientWidth, Form2Layout::kClientHeight, dpi);
    return std::all_of(s.labels.begin(), s.labels.end(), [](HWND h) { return h != nullptr; });
}

void OnDpiChanged(HWND hWnd, State& s, int dpi, const RECT& suggested) {
    ScopedWin::UniqueFont font = Fonts::LayoutFont(dpi), heading = Fonts::LayoutFont(dpi, true);
    if (!font || !heading) return; // the layout stays as it was, in the fonts it has
    Layout::Rescale(hWnd, s.labels, Form2Layout::kLabels, {font.get(), heading.get()}, dpi,
                    suggested, {Form2Layout::kClientWidth, Form2Layout::kClientHeight});
    s.font = std::move(font);
    s.heading = std::move(heading);
}

LRESULT Dispatch(HWND hWnd, State& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate(hWnd, s) ? 0 : -1;
    case WM_DPICHANGED:
        if (lParam) OnDpiChanged(hWnd, s, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COMMAND:
        // Escape, which the message loop's dialog handling turns into IDCANCEL: a
        // window that only shows text closes on it, as a message box does.
        if (LOWORD(wParam) == IDCANCEL) return SendMessageW(hWnd, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}

constexpr wchar_t kWindowName[] = L"Form2";
constexpr WNDPROC kWndProc = WindowState::Procedure<kWindowName, State, Dispatch>;

// Centred over the given window, kept on its monitor's work area.
POINT CentredOver(HWND hOver, SIZE size) {
    RECT over{};
    if (!hOver || !GetWindowRect(hOver, &over)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoW(MonitorFromRect(&over, MONITOR_DEFAULTTONEAREST), &mi);
    const RECT& work = mi.rcWork;
    LONG x = over.left + (over.right - over.left - size.cx) / 2;
    LONG y = over.top + (over.bottom - over.top - size.cy) / 2;
    x = std::max(work.left, std::min(x, work.right - size.cx));
    y = std::max(work.top, std::min(y, work.bottom - size.cy));
    return POINT{x, y};
}

} // namespace

HWND Show(HWND hCentreOver) {
    if (HWND open = ThreadWindows::FindOnThread(kClassName)) {
        if (IsIconic(open)) ShowWindow(open, SW_RESTORE);
        SetForegroundWindow(open);
        return open;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!WindowClass::RegisterOnce(kClassName, kWndProc)) return nullptr;
    const int dpi = Layout::ScreenDpi();
    const SIZE size = Layout::WindowSizeForClient(
        Form2Layout::kClientWidth, Form2Layout::kClientHeight, kStyle, kExStyle, false, dpi);
    const POINT at = CentredOver(hCentreOver, size);
    // No owner: the window stays when the main window goes, and keeps the process.
    HWND hWnd = CreateWindowExW(kExStyle, kClassName, Form2Layout::kCaption, kStyle, at.x, at.y,
                                size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    if (!hWnd) return nullptr;
    ShowWindow(hWnd, SW_SHOWNORMAL);
    UpdateWindow(hWnd);
    return hWnd;
}

} // namespace Form2
