#pragma once
// The Templates menu's delete item: the focused configuration and, when asked, its
// template and icon.
#include <windows.h>

namespace Form1Actions {
void DeleteHighlighted(HWND hForm); // Menu_DelTemp
} // namespace Form1Actions
