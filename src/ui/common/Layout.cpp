#include "ui/common/Layout.h"

#include "support/ScopedWin.h"
#include "ui/common/Container.h"
#include "ui/common/GroupBox.h"

#include <algorithm>
#include <numeric>

namespace Layout {

int ScreenDpi() {
    const ScopedWin::WindowDC screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
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

std::vector<HWND> CreateControls(HWND hWnd, std::span<const Control> table, const Fonts& fonts,
                                 int dpi) {
    std::vector<size_t> order(table.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return table[a].tab < table[b].tab; });

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    std::vector<HWND> made(table.size(), nullptr);
    for (size_t i : order) {
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
        const HFONT font = (c.look & Bold) && fonts.bold ? fonts.bold : fonts.normal;
        if (font) SendMessageW(made[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (c.kind == Kind::Frame && (c.look & Blue)) GroupBox::UseCaptionColour(made[i], kBlue);
        if (c.look & Ticked) SendMessageW(made[i], BM_SETCHECK, BST_CHECKED, 0);
    }
    return made;
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

} // namespace Layout
