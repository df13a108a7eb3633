#pragma once
// The main window: the configuration list, the editor boxes, the buttons and menus.
#include <windows.h>

#include <string>
#include <vector>

namespace Form1 {

inline constexpr wchar_t kClassName[] = L"DorvaneForm1";

// Creates the window and shows it, modeless and without an owner; nullptr when it
// could not be created.
HWND Show();

// Any control of the window, nested or not; nullptr for an unknown id.
HWND Control(HWND hForm, int id);

// What the window keeps between its actions, beside its controls.
struct Memory {
    // The file the boxes were loaded from or last saved to: saving it again asks nothing.
    std::wstring loadedFile;
    // The file behind each list entry (its item data is its position here): the name an
    // entry shows does not always lead back to it ("a.cfg.b.cfg" shows as "a.b").
    std::vector<std::wstring> listedFiles;
};
// nullptr for a window that is not a Form1.
Memory* MemoryOf(HWND hForm);

} // namespace Form1
