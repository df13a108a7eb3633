#include "core/ConfigFormat.h"

#include "support/AppPath.h"
#include "support/FileSearch.h"
#include "support/DebugLog.h"
#include "support/IniValues.h"
#include "support/Probes.h"
#include "support/ScopedWin.h"
#include "support/Strings.h"

#include <algorithm>

namespace Module1 {

namespace {
const std::vector<std::wstring> kConfigKeys = {kKeyTemplateFile, kKeyShortcutName, kKeyShortcutDesc,
                                               kKeyShortcutIcon, kKeyGroups};
} // namespace

ConfigValues::ConfigValues(const std::wstring& sConfigFile)
    : values_(CommonModule::ReadIniValues(sConfigFile, kConfigSection, kConfigKeys)) {}

ConfigValues::ConfigValues(std::initializer_list<std::pair<const wchar_t*, std::wstring>> values)
    : values_(kConfigKeys.size()) {
    for (const auto& [key, value] : values)
        for (size_t i = 0; i < kConfigKeys.size(); ++i)
            if (kConfigKeys[i] == key) values_[i] = value;
}

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

std::wstring WhyConfigUnseen(const std::wstring& sConfigFile) {
    bool missing = false;
    const std::wstring why = CommonModule::WhyNotReadable(sConfigFile, missing);
    if (missing) return L"missing configuration file \"" + sConfigFile + L"\"";
    if (!why.empty()) return L"cannot read \"" + sConfigFile + L"\": " + why;
    // The profile functions read no longer path, whatever the file holds.
    if (sConfigFile.size() >= MAX_PATH)
        return L"the path \"" + sConfigFile + L"\" is too long to be read (" +
               std::to_wstring(sConfigFile.size()) + L" characters; at most " +
               std::to_wstring(MAX_PATH - 1) + L")";
    if (!CommonModule::HasIniSection(sConfigFile, kConfigSection))
        return L"no [Config] section in \"" + sConfigFile + L"\"";
    return {};
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

bool ListEveryConfigName(std::vector<std::wstring>& names, std::wstring& why) {
    const std::wstring folder = CommonModule::AppPath() + L"Configs";
    WIN32_FIND_DATAW found{};
    ScopedWin::UniqueFind search(FindFirstFileExW((folder + L"\\*.cfg").c_str(), FindExInfoBasic,
                                                  &found, FindExSearchNameMatch, nullptr,
                                                  FIND_FIRST_EX_LARGE_FETCH));
    if (!search) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) return true;
        why = L"cannot list \"" + folder + L"\": " + CommonModule::LastError().description;
        return false;
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(ConfigNameFromFile(found.cFileName));
    } while (FindNextFileW(search.get(), &found));
    if (GetLastError() == ERROR_NO_MORE_FILES) return true;
    why = L"the listing of \"" + folder + L"\" stopped early: " +
          CommonModule::LastError().description;
    return false;
}

} // namespace Module1
