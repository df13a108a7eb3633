// The smallest program that starts like Dorvane.exe: a GUI process with the same
// manifest that imports the same system DLLs, and ends at once.
#include "ImportLikeDorvane.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    bench::ImportLikeDorvane();
    return 0;
}
