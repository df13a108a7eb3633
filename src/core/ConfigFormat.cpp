#include "core/ConfigFormat.h"

#include "support/AppPath.h"
#include "support/FileSearch.h"
#include "support/IniValues.h"
#include "support/ScopedWin.h"
#include "support/Strings.h"
#include "support/Text.h"

namespace Module1 {

namespace {
const std::vector<std::wstring> kConfigKeys = {kKeyTemplateFile, kKeyShortcutName, kKeyShortcutDesc,
                                               kKeyShortcutIcon, kKeyGroups};
} // namespace

ConfigValues::ConfigValues(const std::wstring& sConfigFile)
    : values_(CommonModule::ReadIniValues(sConfigFile, kConfigSection, kConfigKeys)) {}

std::wstring ConfigValues::operator()(const wchar_t* key) const {
    for (size_t i = 0; i < kConfigKeys.size(); ++i)
        if (kConfigKeys[i] == key) return values_[i];
    return {};
}

bool ConfigValues::AllEmpty() const {
    for (const auto& value : values_)
        if (!value.empty()) return false;
    return true;
}

std::wstring ConfigFilePath(const std::wstring& sConfigName) {
    return CommonModule::AppPath() + L"Configs\\" + sConfigName + L".cfg";
}

// Every ".cfg" goes, with exact letter case: "Report.CFG" keeps its ending and
// "a.cfg.cfg" becomes "a".
std::wstring ConfigNameFromFile(const std::wstring& sConfigFilePath) {
    return CommonModule::Strip(CommonModule::StripPath(sConfigFilePath), L".cfg");
}

std::vector<std::wstring> ListConfigNames() {
    Collection found;
    CommonModule::FindFiles(CommonModule::AppPath() + L"Configs", L"*.cfg", found, false);
    std::vector<std::wstring> names;
    for (const auto& path : found)
        if (!path.empty()) names.push_back(ConfigNameFromFile(path));
    return names;
}

std::vector<std::wstring> ListConfigNamesBeyondAnsi() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    ScopedWin::UniqueFind search(
        FindFirstFileW((CommonModule::AppPath() + L"Configs\\*.cfg").c_str(), &found));
    if (!search) return names;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::wstring name = ConfigNameFromFile(found.cFileName);
        if (!Text::FitsAnsi(name)) names.push_back(name);
    } while (FindNextFileW(search.get(), &found));
    return names;
}

} // namespace Module1
