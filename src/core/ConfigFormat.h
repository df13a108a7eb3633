#pragma once
// Template configurations: one INI file per configuration in "Configs" beside the
// executable, named after the configuration, with one section and four keys.
#include <string>
#include <vector>

namespace Module1 {

inline constexpr wchar_t kConfigSection[] = L"Config";
inline constexpr wchar_t kKeyTemplateFile[] = L"TemplateFile";
inline constexpr wchar_t kKeyShortcutName[] = L"ShortcutName";
inline constexpr wchar_t kKeyShortcutDesc[] = L"ShortcutDesc";
inline constexpr wchar_t kKeyShortcutIcon[] = L"ShortcutIcon";

std::wstring ConfigFilePath(const std::wstring& sConfigName);
std::wstring ConfigNameFromFile(const std::wstring& sConfigFilePath);
std::vector<std::wstring> ListConfigNames();
// Configurations whose names the ANSI code page cannot carry exactly (ListConfigNames
// cannot see them as they are), by their real names.
std::vector<std::wstring> ListConfigNamesBeyondAnsi();

} // namespace Module1
