#pragma once
#include <string>

namespace CommonModule {

// The key's value, or "" for a missing file, section or key.
std::wstring ReadIniSection(const std::wstring& sIniFile, const std::wstring& sSection,
                            const std::wstring& sKey);
void WriteIniValue(const std::wstring& sIniFile, const std::wstring& sSection,
                   const std::wstring& sKey, const std::wstring& sValue);

} // namespace CommonModule
