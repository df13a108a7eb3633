#pragma once
// Ids shared by the resource script and the code. Plain #defines: the resource
// compiler reads this file too.

// The program's icon group. A name, not a number: the window and the shortcuts ask
// for it as "A1" (names are compared without regard to letter case).
#define IDI_A1 "A1"

// Window controls and menu items.
