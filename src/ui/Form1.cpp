#include "ui/Form1.h"

#include "resource.h"
#include "shell/WebPage.h"
#include "support/ScopedWin.h"
#include "ui/common/Fonts.h"
#include "ui/BrowseFile.h"
#include "ui/ConfigList.h"
#include "ui/DeleteConfig.h"
#include "ui/Form1Layout.h"
#include "ui/Form1Memory.h"
#include "ui/Form2.h"
#include "ui/InstallSelected.h"
#include "ui/RetireHighlighted.h"
#include "ui/SaveConfig.h"
#include "ui/common/Contrast.h"
#include "ui/common/GroupBox.h"
#include "ui/common/WindowClass.h"
#include "ui/common/WindowIcon.h"
#include "ui/common/Tooltip.h"
#include "ui/common/WindowState.h"

#include <windowsx.h>

#include <cwchar>
#include <vector>

namespace Form1 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// Everything the window holds, reached through the window itself.
struct State {
    int dpi = USER_DEFAULT_SCREEN_DPI;
    COLORREF heading = Layout::kBlue; // of "Template Configs:" and the frame's caption
    ScopedWin::UniqueFont font;
    std::vector<HWND> controls; // in the order of Form1Layout::kControls
    HWND lastFocus = nullptr;   // given back when the window is activated again
    Memory memory;
};

const Layout::Control* LayoutOf(int id) {
    for (const Layout::Control& c : Form1Layout::kControls)
        if (c.id == id) return &c;
    return nullptr;
}

// The headings' colour follows high contrast as the user turns it on or off, or
// changes its scheme; with it off, nothing changes.
void ShowHeadings(HWND hForm, State& s) {
    const COLORREF colour = Contrast::HeadingColour(Contrast::Read());
    if (colour == s.heading) return;
    s.heading = colour;
    if (HWND frame = Control(hForm, IDC_Frame1)) GroupBox::UseCaptionColour(frame, s.heading);
    RedrawWindow(hForm, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool OnCreate(HWND hForm, State& s) {
    s.dpi = Layout::WindowDpi(hForm);
    s.font = Fonts::LayoutFont(s.dpi);
    s.controls =
        Layout::CreateControls(hForm, Form1Layout::kControls, {s.font.get(), nullptr}, s.dpi);
    for (HWND c : s.controls)
        if (!c) return false;
    Layout::FitClientArea(hForm, Form1Layout::kClientWidth, Form1Layout::kClientHeight, s.dpi);
    ShowHeadings(hForm, s);
    mod32BitIcon::SetWindowIcon(hForm, L"a1", true);
    s.memory.forWhomTip = Tooltip::Create(Control(hForm, IDC_Label9));
    ConfigList::RefreshConfigList(hForm);
    return true;
}

bool IsPushButton(HWND h) {
    wchar_t cls[16] = {};
    if (!h || !GetClassNameW(h, cls, 16) || _wcsicmp(cls, L"Button") != 0) return false;
    const auto type = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE)) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

void OnCommand(HWND hForm, int id, UINT code) {
    switch (id) {
    case IDOK: {
        // Enter: the window has no default button, so the focused button answers it.
        HWND focus = GetFocus();
        if (IsChild(hForm, focus) && IsPushButton(focus))
            OnCommand(hForm, GetDlgCtrlID(focus), BN_CLICKED);
        return;
    }
    case IDC_List1:
        if (code == LBN_SELCHANGE) ConfigList::LoadSelectedConfig(hForm);
        return;
    case IDC_Command1:
        if (code == BN_CLICKED) Form1Actions::InstallSelected(hForm);
        return;
    case IDC_Command2:
        if (code == BN_CLICKED) Form1Actions::BrowseIcon(hForm);
        return;
    case IDC_Command3:
        if (code == BN_CLICKED) Form1Actions::BrowseTemplate(hForm);
        return;
    case IDC_Command4:
        if (code == BN_CLICKED) Form1Actions::SaveConfig(hForm);
        return;
    case IDM_DelTemp:
        Form1Actions::DeleteHighlighted(hForm);
        return;
    case IDM_RetireTemp:
        Form1Actions::RetireHighlighted(hForm);
        return;
    case IDM_HelpOnline:
        CommonModule::OpenWebPage(Form1Layout::kHelpPage);
        return;
    case IDM_ShowParms:
        Form2::Show(hForm);
        return;
    default:
        return;
    }
}

// The Templates menu pops up where the right button was released over the list,
// without touching the list's highlight; from the keyboard, at the focused entry.
void OnContextMenu(HWND hForm, HWND hFrom, int x, int y) {
    HWND list = Control(hForm, IDC_List1);
    if (hFrom != list) return;
    if (x == -1 && y == -1) {
        RECT r{};
        const LRESULT caret = SendMessageW(list, LB_GETCARETINDEX, 0, 0);
        if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(caret < 0 ? 0 : caret),
                         reinterpret_cast<LPARAM>(&r)) == LB_ERR)
            GetClientRect(list, &r);
        POINT p{r.left, r.bottom};
        ClientToScreen(list, &p);
        x = p.x;
        y = p.y;
    }
    HMENU templates = GetSubMenu(GetMenu(hForm), 0);
    if (templates)
        TrackPopupMenu(templates, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, hForm,
                       nullptr);
}

LRESULT OnCtlColorStatic(HWND hForm, const State& s, HDC dc, HWND hCtl) {
    const Layout::Control* entry = LayoutOf(GetDlgCtrlID(hCtl));
    if (!entry || !(entry->look & Layout::Blue))
        return DefWindowProcW(hForm, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(hCtl));
    SetTextColor(dc, s.heading);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void OnDpiChanged(HWND hForm, State& s, int dpi, const RECT& suggested) {
    ScopedWin::UniqueFont font = Fonts::LayoutFont(dpi);
    if (!font) return; // the layout stays as it was, in the font it has
    Layout::Rescale(hForm, s.controls, Form1Layout::kControls, {font.get(), nullptr}, dpi,
                    suggested, {Form1Layout::kClientWidth, Form1Layout::kClientHeight});
    s.font = std::move(font); // the controls use the new one now
    s.dpi = dpi;
}

void OnActivate(HWND hForm, State& s, bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(hForm, focus)) s.lastFocus = focus;
        return;
    }
    HWND target = s.lastFocus && IsWindow(s.lastFocus) ? s.lastFocus : Control(hForm, IDC_List1);
    if (target) SetFocus(target);
}

LRESULT Dispatch(HWND hForm, State& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate(hForm, s) ? 0 : -1;
    case WM_COMMAND:
        OnCommand(hForm, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(hForm, reinterpret_cast<HWND>(wParam), GET_X_LPARAM(lParam),
                      GET_Y_LPARAM(lParam));
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        ShowHeadings(hForm, s);
        break;
    case WM_DPICHANGED:
        if (lParam) OnDpiChanged(hForm, s, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(hForm, s, reinterpret_cast<HDC>(wParam),
                                reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
        if (!HIWORD(wParam)) {
            OnActivate(hForm, s, LOWORD(wParam) != WA_INACTIVE);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hForm, msg, wParam, lParam);
}

constexpr wchar_t kWindowName[] = L"Form1";
constexpr WNDPROC kWndProc = WindowState::Procedure<kWindowName, State, Dispatch>;

} // namespace

HWND Show() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!WindowClass::RegisterOnce(kClassName, kWndProc, IDR_Form1Menu)) return nullptr;
    const int dpi = Layout::ScreenDpi();
    const SIZE size = Layout::WindowSizeForClient(
        Form1Layout::kClientWidth, Form1Layout::kClientHeight, kStyle, kExStyle, true, dpi);
    HWND hForm =
        CreateWindowExW(kExStyle, kClassName, Form1Layout::kCaption, kStyle, CW_USEDEFAULT,
                        CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    if (!hForm) return nullptr;
    ShowWindow(hForm, SW_SHOWNORMAL);
    UpdateWindow(hForm);
    return hForm;
}

HWND Control(HWND hForm, int id) {
    const State* s = WindowState::Of<State>(hForm);
    if (!s) return nullptr;
    for (size_t i = 0; i < s->controls.size() && i < Form1Layout::kControls.size(); ++i)
        if (Form1Layout::kControls[i].id == id) return s->controls[i];
    return nullptr;
}

Memory* MemoryOf(HWND hForm) {
    wchar_t cls[64] = {};
    if (!GetClassNameW(hForm, cls, 64) || wcscmp(cls, kClassName) != 0) return nullptr;
    State* s = WindowState::Of<State>(hForm);
    return s ? &s->memory : nullptr;
}

} // namespace Form1
