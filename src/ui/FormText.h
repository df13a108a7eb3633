#pragma once
// Small reads and writes on Form1's controls, and the program's message boxes.
#include <windows.h>

#include <string>

namespace FormText {

std::wstring Get(HWND hForm, int id);
void Set(HWND hForm, int id, const std::wstring& text);
// A message box owned by the window, titled with the program's title.
int Say(HWND hForm, const std::wstring& text, UINT flags);

// Call inside a catch block only: one error report on the debug output.
void ReportEscaped(const wchar_t* action) noexcept;

// Runs an action of the window. Nothing may be thrown through the window procedure,
// so what escapes (out of memory) ends the action with an error report instead.
template <class F> void Guarded(const wchar_t* action, F&& run) noexcept {
    try {
        run();
    } catch (...) {
        ReportEscaped(action);
    }
}

} // namespace FormText
