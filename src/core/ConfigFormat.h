#pragma once
// Template configurations: one INI file per configuration in "Configs" beside the
// executable, named after the configuration, with one section, four keys that say what
// it installs and an optional fifth that says for whom.
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace Module1 {

inline constexpr wchar_t kConfigSection[] = L"Config";
inline constexpr wchar_t kKeyTemplateFile[] = L"TemplateFile";
inline constexpr wchar_t kKeyShortcutName[] = L"ShortcutName";
inline constexpr wchar_t kKeyShortcutDesc[] = L"ShortcutDesc";
inline constexpr wchar_t kKeyShortcutIcon[] = L"ShortcutIcon";
inline constexpr wchar_t kKeyGroups[] = L"Groups"; // empty: everyone

// The values of a configuration file, read with one open of the file; each "" when
// the file, the section or the key is missing. The two file names (TemplateFile,
// ShortcutIcon) come with "/" as "\", the separator Windows takes it for, so that every
// step that cuts a name from its folder cuts it where Windows does.
class ConfigValues {
  public:
    explicit ConfigValues(const std::wstring& sConfigFile);
    // Values as given, by key; the others "" (a configuration that no file holds).
    ConfigValues(std::initializer_list<std::pair<const wchar_t*, std::wstring>> values);
    std::wstring operator()(const wchar_t* key) const; // one of the key names above
    bool AllEmpty() const;

  private:
    std::vector<std::wstring> values_;
};

// Why a configuration file that read as all empty says nothing of what it installs:
// missing, not readable (the system's reason), or without a [Config] section; "" when
// it has that section (and its values are simply empty).
std::wstring WhyConfigUnseen(const std::wstring& sConfigFile);
// sPath with every "/" made a "\".
std::wstring WithBackslashes(std::wstring sPath);

std::wstring ConfigFilePath(const std::wstring& sConfigName);
std::wstring ConfigNameFromFile(const std::wstring& sConfigFilePath);
std::vector<std::wstring> ListConfigNames();
// Every configuration of "Configs", by its real name; false, with why, when the folder
// could not be listed to its end.
bool ListEveryConfigName(std::vector<std::wstring>& names, std::wstring& why);

} // namespace Module1
