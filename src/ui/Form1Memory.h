#pragma once
// What the main window keeps between its actions, beside its controls; the actions
// behind its buttons and menus reach it through the window (Form1.cpp owns it).
#include "ui/common/Tooltip.h"

#include <windows.h>

#include <string>
#include <vector>

namespace Form1 {

struct Memory {
    // The file the boxes were loaded from or last saved to: saving it again asks nothing.
    std::wstring loadedFile;
    // The file behind each list entry (its item data is its position here): the name an
    // entry shows does not always lead back to it ("a.cfg.b.cfg" shows as "a.b").
    std::vector<std::wstring> listedFiles;
    // The whole of "For members of:", which its one-line label may cut short.
    Tooltip::UniqueTip forWhomTip;
};
// nullptr for a window that is not a Form1.
Memory* MemoryOf(HWND hForm);

} // namespace Form1
