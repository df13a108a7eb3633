#include "ui/common/Tooltip.h"

#include <commctrl.h>

namespace Tooltip {

namespace {

TTTOOLINFOW ToolOf(HWND hControl) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(hControl);
    tool.uId = reinterpret_cast<UINT_PTR>(hControl);
    return tool;
}

} // namespace

UniqueTip Create(HWND hControl) {
    HWND owner = GetAncestor(hControl, GA_ROOT);
    UniqueTip tip(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    if (!tip) return tip;
    // A label lets the mouse through to the window below it unless it notifies; the tip
    // hears of the mouse only from the control itself.
    wchar_t cls[16] = {};
    if (GetClassNameW(hControl, cls, 16) && _wcsicmp(cls, L"Static") == 0)
        SetWindowLongPtrW(hControl, GWL_STYLE, GetWindowLongPtrW(hControl, GWL_STYLE) | SS_NOTIFY);
    TTTOOLINFOW tool = ToolOf(hControl);
    tool.lpszText = const_cast<wchar_t*>(L"");
    if (!SendMessageW(tip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) return {};
    // A long text wraps at the window's width rather than running off the screen.
    RECT client{};
    GetClientRect(owner, &client);
    SendMessageW(tip.get(), TTM_SETMAXTIPWIDTH, 0, client.right);
    return tip;
}

void SetText(HWND hTip, HWND hControl, const std::wstring& text) {
    if (!hTip) return;
    TTTOOLINFOW tool = ToolOf(hControl);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(hTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace Tooltip
