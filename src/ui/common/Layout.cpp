#include "ui/common/Layout.h"

#include "support/ScopedWin.h"
#include "ui/common/Container.h"
#include "ui/common/GroupBox.h"
#include "ui/common/SpokenName.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace Layout {

int ScreenDpi() {
    const ScopedWin::WindowDC screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int WindowDpi(HWND hWnd) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto query = user32 ? reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
                                    GetProcAddress(user32, "GetDpiForWindow")))
                              : nullptr;
    const UINT dpi = query && hWnd ? query(hWnd) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

const wchar_t* ClassOf(Kind kind) {
    switch (kind) {
    case Kind::Label:
        return L"Static";
    case Kind::ListBox:
        return L"ListBox";
    case Kind::TextBox:
        return L"Edit";
    case Kind::Container:
        return Container::kClassName;
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::Frame:
        break;
    }
    return L"Button";
}

DWORD StyleOf(const Control& c) {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    switch (c.kind) {
    case Kind::Label:
        // Captions are shown as written: an "&" in one is no mnemonic.
        if (c.look & Ellipsis) return child | SS_NOPREFIX | SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS;
        return child | SS_NOPREFIX | ((c.look & Centred) ? SS_CENTER : SS_LEFT);
    case Kind::ListBox:
        return child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL |
               LBS_NOINTEGRALHEIGHT;
    case Kind::Button:
        return child | WS_TABSTOP | BS_PUSHBUTTON;
    case Kind::CheckBox:
        return child | WS_TABSTOP | BS_AUTOCHECKBOX;
    case Kind::Frame:
        return child | WS_CLIPCHILDREN | BS_GROUPBOX;
    case Kind::Container:
        return child | WS_CLIPCHILDREN;
    case Kind::TextBox:
        return child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    }
    return child;
}

DWORD ExStyleOf(const Control& c) {
    switch (c.kind) {
    case Kind::ListBox:
    case Kind::TextBox:
        return WS_EX_CLIENTEDGE;
    case Kind::Frame:
    case Kind::Container:
        // Tab and the dialog keys look into the controls they hold.
        return WS_EX_CONTROLPARENT;
    default:
        return 0;
    }
}

namespace {

// Where each control stands in the order of making: at its tab index, a label just
// before the control it names.
std::vector<size_t> CreationOrder(std::span<const Control> table) {
    auto key = [&](size_t i) {
        int tab = table[i].tab;
        for (const Control& named : table)
            if (table[i].labels != 0 && named.id == table[i].labels) tab = named.tab;
        return std::pair{tab, table[i].labels != 0 ? 0 : 1};
    };
    std::vector<size_t> order(table.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return key(a) < key(b); });
    return order;
}

HFONT FontOf(const Control& c, const Fonts& fonts) {
    return (c.look & Bold) && fonts.bold ? fonts.bold : fonts.normal;
}

} // namespace

std::vector<HWND> CreateControls(HWND hWnd, std::span<const Control> table, const Fonts& fonts,
                                 int dpi) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    std::vector<HWND> made(table.size(), nullptr);
    for (size_t i : CreationOrder(table)) {
        const Control& c = table[i];
        HWND parent = hWnd;
        for (size_t j = 0; j < table.size(); ++j)
            if (c.parent != 0 && table[j].id == c.parent) parent = made[j];
        if (c.kind == Kind::Container) Container::Register();
        auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
        made[i] =
            CreateWindowExW(ExStyleOf(c), ClassOf(c.kind), c.caption, StyleOf(c), px(c.left),
                            px(c.top), px(c.width), px(c.height), parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        if (!made[i]) continue;
        if (const HFONT font = FontOf(c, fonts))
            SendMessageW(made[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (c.kind == Kind::Frame && (c.look & Blue)) GroupBox::UseCaptionColour(made[i], kBlue);
        if (c.look & Ticked) SendMessageW(made[i], BM_SETCHECK, BST_CHECKED, 0);
        if (c.spoken) SpokenName::Give(made[i], c.spoken);
    }
    return made;
}

void PlaceControls(std::span<const HWND> made, std::span<const Control> table, const Fonts& fonts,
                   int dpi) {
    auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
    for (size_t i = 0; i < table.size() && i < made.size(); ++i) {
        const Control& c = table[i];
        if (!made[i]) continue;
        if (const HFONT font = FontOf(c, fonts))
            SendMessageW(made[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SetWindowPos(made[i], nullptr, px(c.left), px(c.top), px(c.width), px(c.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

SIZE WindowSizeForClient(int widthTwips, int heightTwips, DWORD style, DWORD exStyle, bool bMenu,
                         int dpi) {
    RECT r{0, 0, TwipsToPixels(widthTwips, dpi), TwipsToPixels(heightTwips, dpi)};
    AdjustWindowRectEx(&r, style, bMenu, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void FitClientArea(HWND hWnd, int widthTwips, int heightTwips, int dpi) {
    RECT client{}, outer{};
    if (!GetClientRect(hWnd, &client) || !GetWindowRect(hWnd, &outer)) return;
    const int dx = TwipsToPixels(widthTwips, dpi) - client.right;
    const int dy = TwipsToPixels(heightTwips, dpi) - client.bottom;
    if (dx == 0 && dy == 0) return;
    SetWindowPos(hWnd, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Rescale(HWND hWnd, std::span<const HWND> made, std::span<const Control> table,
             const Fonts& fonts, int dpi, const RECT& suggested, SIZE clientTwips) {
    PlaceControls(made, table, fonts, dpi);
    SetWindowPos(hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    FitClientArea(hWnd, clientTwips.cx, clientTwips.cy, dpi);
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

} // namespace Layout
