#include "ui/common/Controls.h"

namespace Controls {

namespace {

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK Match(HWND hWnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    if (GetDlgCtrlID(hWnd) != s->id) return TRUE;
    s->found = hWnd;
    return FALSE;
}

} // namespace

HWND Find(HWND hWindow, int id) {
    Search s{id, nullptr};
    if (hWindow) EnumChildWindows(hWindow, Match, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::wstring WindowText(HWND hWnd) {
    if (!hWnd) return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hWnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ListEntry(HWND hList, LRESULT index) {
    if (!hList || index < 0 || index >= SendMessageW(hList, LB_GETCOUNT, 0, 0)) return {};
    const LRESULT length = SendMessageW(hList, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(hList, LB_GETTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
    return text;
}

} // namespace Controls
