#pragma once
// One place for the numbers that the version resource carries.
#define DORVANE_VER_MAJOR 1
#define DORVANE_VER_MINOR 0
#define DORVANE_VER_BUILD 0
#define DORVANE_VER_REVISION 1
#define DORVANE_VER_TEXT "1.0.0.1"
