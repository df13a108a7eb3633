#include "ui/common/ThreadWindows.h"

#include <cwchar>

namespace ThreadWindows {

namespace {

constexpr wchar_t kMark[] = L"Dorvane.Window";

struct Search {
    const wchar_t* className; // nullptr: any marked window
    HWND except;
    HWND found;
};

BOOL CALLBACK Match(HWND hWnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    if (hWnd == s->except) return TRUE;
    if (s->className) {
        wchar_t name[64] = {};
        if (!GetClassNameW(hWnd, name, 64) || std::wcscmp(name, s->className) != 0) return TRUE;
    } else if (!GetPropW(hWnd, kMark)) {
        return TRUE;
    }
    s->found = hWnd;
    return FALSE;
}

HWND Find(const wchar_t* className, HWND except) {
    Search s{className, except, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), Match, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

} // namespace

void Mark(HWND hWnd) {
    SetPropW(hWnd, kMark, reinterpret_cast<HANDLE>(1));
}

void Unmark(HWND hWnd) {
    RemovePropW(hWnd, kMark);
}

HWND FindOnThread(const wchar_t* className, HWND except) {
    return Find(className, except);
}

void Closing(HWND hWnd) {
    if (!Find(nullptr, hWnd)) PostQuitMessage(0);
}

} // namespace ThreadWindows
