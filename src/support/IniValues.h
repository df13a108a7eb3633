#pragma once
#include <string>

namespace CommonModule {

// The key's value, exactly as the file holds it (ANSI or UTF-16), or "" for a missing
// file, section or key.
std::wstring ReadIniSection(const std::wstring& sIniFile, const std::wstring& sSection,
                            const std::wstring& sKey);
// True when the value was written; false when the system refused the write (a folder
// that does not exist, a file that cannot be written).
bool WriteIniValue(const std::wstring& sIniFile, const std::wstring& sSection,
                   const std::wstring& sKey, const std::wstring& sValue);

} // namespace CommonModule
