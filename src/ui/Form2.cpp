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

bool Scrolls(HWND hWnd) {
    return GetWindowLongW(hWnd, GWL_STYLE) & WS_VSCROLL;
}

// The list scrolls when the screen is too short for it: the scroll bar spans all of it.
void SetScrollRange(HWND hWnd, int dpi) {
    RECT client{};
    GetClientRect(hWnd, &client);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = Layout::TwipsToPixels(Form2Layout::kClientHeight, dpi) - 1;
    si.nPage = static_cast<UINT>(client.bottom);
    SetScrollInfo(hWnd, SB_VERT, &si, TRUE);
}

void ScrollTo(HWND hWnd, int pos) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(hWnd, SB_VERT, &si)) return;
    pos = std::clamp(pos, 0, std::max(0, si.nMax - static_cast<int>(si.nPage) + 1));
    if (pos == si.nPos) return;
    SetScrollPos(hWnd, SB_VERT, pos, TRUE);
    ScrollWindowEx(hWnd, 0, si.nPos - pos, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

void OnScroll(HWND hWnd, int code) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(hWnd, SB_VERT, &si)) return;
    const int line = Layout::TwipsToPixels(240, Layout::WindowDpi(hWnd));
    const int page = static_cast<int>(si.nPage);
    switch (code) {
    case SB_LINEUP:
        return ScrollTo(hWnd, si.nPos - line);
    case SB_LINEDOWN:
        return ScrollTo(hWnd, si.nPos + line);
    case SB_PAGEUP:
        return ScrollTo(hWnd, si.nPos - page);
    case SB_PAGEDOWN:
        return ScrollTo(hWnd, si.nPos + page);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return ScrollTo(hWnd, si.nTrackPos);
    case SB_TOP:
        return ScrollTo(hWnd, 0);
    case SB_BOTTOM:
        return ScrollTo(hWnd, si.nMax);
    default:
        return;
    }
}

bool OnCreate(HWND hWnd, State& s) {
    const int dpi = Layout::WindowDpi(hWnd);
    s.font = Fonts::LayoutFont(dpi);
    s.heading = Fonts::LayoutFont(dpi, true);
    s.labels =
        Layout::CreateControls(hWnd, Form2Layout::kLabels, {s.font.get(), s.heading.get()}, dpi);
    // A window cut to the screen keeps its size: fitting it would make it tall again.
    if (Scrolls(hWnd))
        SetScrollRange(hWnd, dpi);
    else
        Layout::FitClientArea(hWnd, Form2Layout::kClientWidth, Form2Layout::kClientHeight, dpi);
    return std::all_of(s.labels.begin(), s.labels.end(), [](HWND h) { return h != nullptr; });
}

// A window that scrolls is laid out anew from its top, then cut to its monitor's work
// area again.
void CutToWorkArea(HWND hWnd, int dpi) {
    RECT window{};
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (!GetWindowRect(hWnd, &window) ||
        !GetMonitorInfoW(MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &mi))
        return;
    const LONG height = std::min(window.bottom - window.top, mi.rcWork.bottom - mi.rcWork.top);
    const LONG top = std::clamp(window.top, mi.rcWork.top, mi.rcWork.bottom - height);
    SetWindowPos(hWnd, nullptr, window.left, top, window.right - window.left, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetScrollRange(hWnd, dpi);
}

void OnDpiChanged(HWND hWnd, State& s, int dpi, const RECT& suggested) {
    ScopedWin::UniqueFont font = Fonts::LayoutFont(dpi), heading = Fonts::LayoutFont(dpi, true);
    if (!font || !heading) return; // the layout stays as it was, in the fonts it has
    if (Scrolls(hWnd)) SetScrollPos(hWnd, SB_VERT, 0, FALSE); // the layout starts at the top
    Layout::Rescale(hWnd, s.labels, Form2Layout::kLabels, {font.get(), heading.get()}, dpi,
                    suggested, {Form2Layout::kClientWidth, Form2Layout::kClientHeight});
    if (Scrolls(hWnd)) CutToWorkArea(hWnd, dpi);
    s.font = std::move(font);
    s.heading = std::move(heading);
}

LRESULT Dispatch(HWND hWnd, State& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate(hWnd, s) ? 0 : -1;
    case WM_VSCROLL:
        OnScroll(hWnd, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        if (!Scrolls(hWnd)) break;
        ScrollTo(hWnd, GetScrollPos(hWnd, SB_VERT) -
                           GET_WHEEL_DELTA_WPARAM(wParam) * 3 *
                               Layout::TwipsToPixels(240, Layout::WindowDpi(hWnd)) / WHEEL_DELTA);
        return 0;
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

// The window to centre over, or the work area when there is none, and the work area
// of its monitor.
void Areas(HWND hOver, RECT& over, RECT& work) {
    if (!hOver || !GetWindowRect(hOver, &over)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoW(MonitorFromRect(&over, MONITOR_DEFAULTTONEAREST), &mi);
    work = mi.rcWork;
}

// Where a window of the given outer size goes: centred over the rectangle, within the
// work area; a window taller than the work area is cut to its height (and scrolls).
RECT PlaceWithin(const RECT& over, SIZE size, const RECT& work) {
    size.cy = std::min(size.cy, work.bottom - work.top);
    LONG x = over.left + (over.right - over.left - size.cx) / 2;
    LONG y = over.top + (over.bottom - over.top - size.cy) / 2;
    x = std::max(work.left, std::min(x, work.right - size.cx));
    y = std::max(work.top, std::min(y, work.bottom - size.cy));
    return RECT{x, y, x + size.cx, y + size.cy};
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
    SIZE size = Layout::WindowSizeForClient(Form2Layout::kClientWidth, Form2Layout::kClientHeight,
                                            kStyle, kExStyle, false, dpi);
    RECT over{}, work{};
    Areas(hCentreOver, over, work);
    DWORD style = kStyle;
    if (size.cy > work.bottom - work.top) {
        style |= WS_VSCROLL;
        size.cx += GetSystemMetrics(SM_CXVSCROLL);
    }
    const RECT at = PlaceWithin(over, size, work);
    // No owner: the window stays when the main window goes, and keeps the process.
    HWND hWnd = CreateWindowExW(kExStyle, kClassName, Form2Layout::kCaption, style, at.left, at.top,
                                at.right - at.left, at.bottom - at.top, nullptr, nullptr, instance,
                                nullptr);
    if (!hWnd) return nullptr;
    ShowWindow(hWnd, SW_SHOWNORMAL);
    UpdateWindow(hWnd);
    return hWnd;
}

} // namespace Form2
