#include "core/ConfigFormat.h"

#include "support/AppPath.h"
#include "support/FileSearch.h"
#include "support/IniValues.h"
#include "support/Strings.h"

#include <algorithm>

namespace Module1 {

namespace {
const std::vector<std::wstring> kConfigKeys = {kKeyTemplateFile, kKeyShortcutName, kKeyShortcutDesc,
                                               kKeyShortcutIcon};
} // namespace

ConfigValues::ConfigValues(const std::wstring& sConfigFile)
    : values_(CommonModule::ReadIniValues(sConfigFile, kConfigSection, kConfigKeys)) {}

std::wstring ConfigValues::operator()(const wchar_t* key) const {
    for (size_t i = 0; i < kConfigKeys.size(); ++i)
        if (kConfigKeys[i] == key)
            return kConfigKeys[i] == kKeyTemplateFile || kConfigKeys[i] == kKeyShortcutIcon
                       ? WithBackslashes(values_[i])
                       : values_[i];
    return {};
}

std::wstring WithBackslashes(std::wstring sPath) {
    std::replace(sPath.begin(), sPath.end(), L'/', L'\\');
    return sPath;
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

} // namespace Module1
