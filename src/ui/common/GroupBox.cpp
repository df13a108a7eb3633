#include "ui/common/GroupBox.h"

#include "support/ScopedWin.h"
#include "ui/common/Controls.h"

#include <commctrl.h>

#include <string>

namespace GroupBox {

namespace {

constexpr UINT_PTR kSubclassId = 1;

void Paint(HWND hFrame, COLORREF colour, const std::wstring& caption) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hFrame, &ps);
    RECT client{};
    GetClientRect(hFrame, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));

    const auto font = reinterpret_cast<HFONT>(SendMessageW(hFrame, WM_GETFONT, 0, 0));
    const HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    RECT frame = client;
    frame.top += tm.tmHeight / 2 - 1;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

    if (!caption.empty()) {
        const int indent = tm.tmAveCharWidth;
        RECT text{client.left + indent, client.top, client.right - indent,
                  client.top + tm.tmHeight};
        SetTextColor(dc, colour);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetBkMode(dc, OPAQUE);
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        text.left -= 2; // a little room either side of the caption
        text.right += 2;
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (oldFont) SelectObject(dc, oldFont);
    EndPaint(hFrame, &ps);
}

LRESULT CALLBACK FrameProc(HWND hFrame, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR colour) {
    switch (msg) {
    case WM_PAINT:
        try {
            Paint(hFrame, static_cast<COLORREF>(colour), Controls::WindowText(hFrame));
            return 0;
        } catch (...) {
            break; // without memory for the caption, the ordinary painting
        }
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_SETTEXT: {
        const LRESULT r = DefSubclassProc(hFrame, msg, wParam, lParam);
        InvalidateRect(hFrame, nullptr, TRUE);
        return r;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hFrame, FrameProc, kSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(hFrame, msg, wParam, lParam);
}

} // namespace

void UseCaptionColour(HWND hFrame, COLORREF colour) {
    SetWindowSubclass(hFrame, FrameProc, kSubclassId, colour);
}

} // namespace GroupBox
