#include "ui/common/Container.h"

#include "ui/common/WindowClass.h"

namespace Container {

namespace {

bool IsForwarded(UINT msg) {
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK PanelProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsForwarded(msg)) {
        if (HWND top = GetAncestor(hWnd, GA_ROOT); top && top != hWnd)
            return SendMessageW(top, msg, wParam, lParam);
    }
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}

} // namespace

void Register() {
    WindowClass::RegisterOnce(kClassName, PanelProc);
}

} // namespace Container
