#pragma once
// Small reads and writes on Form1's controls, and the program's message boxes.
#include <windows.h>

#include <string>

namespace FormText {

std::wstring Get(HWND hForm, int id);
void Set(HWND hForm, int id, const std::wstring& text);
// A message box owned by the window, titled with the program's title.
int Say(HWND hForm, const std::wstring& text, UINT flags);

} // namespace FormText
