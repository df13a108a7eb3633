#pragma once
// Reading and writing single registry values, each with its key opened for that call
// only.
#include <windows.h>

#include <string>

namespace CommonModule {

struct RegistryValue {
    LSTATUS status = ERROR_FILE_NOT_FOUND; // ERROR_FILE_NOT_FOUND for a missing key or value
    DWORD type = REG_NONE;
    std::wstring text; // a string value as stored, variables unexpanded; "" for other types
    DWORD bytes = 0;   // the size of the stored data
    // Holds something: text, or data of another type. A string of only its terminator
    // is empty.
    bool IsSet() const noexcept;
};

// One value; samView adds KEY_WOW64_64KEY or KEY_WOW64_32KEY to choose a registry view.
RegistryValue ReadRegistryValue(HKEY hRoot, const std::wstring& sSubKey, const wchar_t* sName,
                                REGSAM samView = 0);

// Writes a REG_SZ or REG_EXPAND_SZ value, creating the missing keys above it.
// ERROR_SUCCESS when written, otherwise the system's error.
LSTATUS WriteRegistryText(HKEY hRoot, const std::wstring& sSubKey, const wchar_t* sName, DWORD type,
                          const std::wstring& sText);

// "%APPDATA%\x" as this process expands it; the text unchanged when it cannot be.
std::wstring ExpandedText(const std::wstring& sText);

} // namespace CommonModule
