#include "ui/common/WindowClass.h"

namespace WindowClass {

bool RegisterOnce(const wchar_t* sClassName, WNDPROC wndProc, int iMenuId) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(instance, sClassName, &wc)) return true;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = wndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    // A class menu is loaded by the system with each window and freed with it.
    if (iMenuId) wc.lpszMenuName = MAKEINTRESOURCEW(iMenuId);
    wc.lpszClassName = sClassName;
    return RegisterClassExW(&wc) != 0;
}

} // namespace WindowClass
