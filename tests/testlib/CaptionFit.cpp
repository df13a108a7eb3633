#include "testlib/CaptionFit.h"

#include "support/ScopedWin.h"

#include <algorithm>

namespace testlib {

namespace {

BOOL CALLBACK Collect(HWND h, LPARAM into) {
    reinterpret_cast<std::vector<HWND>*>(into)->push_back(h);
    return TRUE;
}

std::wstring Text(HWND h) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Where a label's text must end: before any control laid over the label's right part.
LONG RoomUntilOverlap(HWND label) {
    RECT own{};
    GetWindowRect(label, &own);
    LONG room = own.right - own.left;
    for (HWND h = GetWindow(GetParent(label), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        RECT other{}, both{};
        GetWindowRect(h, &other);
        // Rounding to pixels lets rows touch; a control laid over the label covers more.
        if (h != label && other.left > own.left && IntersectRect(&both, &own, &other) &&
            2 * (both.bottom - both.top) > own.bottom - own.top)
            room = std::min(room, other.left - own.left);
    }
    return room;
}

} // namespace

std::vector<CaptionFit> MeasureCaptions(HWND hTop) {
    std::vector<HWND> all;
    EnumChildWindows(hTop, Collect, reinterpret_cast<LPARAM>(&all));
    std::vector<CaptionFit> out;
    for (HWND h : all) {
        wchar_t cls[16] = {};
        GetClassNameW(h, cls, 16);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE));
        const bool label = _wcsicmp(cls, L"Static") == 0;
        const DWORD type = style & BS_TYPEMASK;
        const bool check = !label && (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX);
        const bool button = !label && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
        if (!label && !(_wcsicmp(cls, L"Button") == 0 && (check || button))) continue;

        RECT client{};
        GetClientRect(h, &client);
        if (label) client.right = std::min(client.right, RoomUntilOverlap(h));
        if (check) // the box and the gap before the text
            client.left += GetSystemMetrics(SM_CXMENUCHECK) + 4;
        if (button) // the raised edge and the focus rectangle inside it
            InflateRect(&client, -2 * GetSystemMetrics(SM_CXEDGE), 0);
        const bool wraps =
            label ? (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP : (style & BS_MULTILINE) != 0;

        CaptionFit fit{GetDlgCtrlID(h), Text(h), {}, {}, {}};
        const ScopedWin::WindowDC dc(h);
        const HGDIOBJ old =
            SelectObject(dc.get(), reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(dc.get(), LF_FACESIZE, face);
        fit.face = face;
        RECT need{0, 0, client.right - client.left, 0};
        DrawTextW(dc.get(), fit.caption.c_str(), -1, &need,
                  DT_CALCRECT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        SelectObject(dc.get(), old);
        fit.need = {need.right, need.bottom};
        fit.room = {client.right - client.left, client.bottom - client.top};
        out.push_back(fit);
    }
    return out;
}

} // namespace testlib
