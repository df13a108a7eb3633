#pragma once
// The entry an action on one configuration acts on (delete, retire), and the file that
// produced it.
#include <windows.h>

#include <string>

namespace OneEntry {

struct Entry {
    std::wstring name; // as the list shows it
    std::wstring file; // the .cfg behind it
};

// The chosen entry, when exactly one is highlighted and its file is there to act on;
// otherwise the window has said why (sVerb: "delete", "retire") and false comes back.
bool Choose(HWND hForm, const wchar_t* sVerb, Entry& entry);

} // namespace OneEntry
