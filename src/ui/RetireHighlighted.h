#pragma once
// Templates > Retire Highlighted Template: the window's half of retiring a
// configuration; the next /installall of each user removes what it installed.
#include <windows.h>

namespace Form1Actions {

void RetireHighlighted(HWND hForm);

} // namespace Form1Actions
