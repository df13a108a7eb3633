#include "core/OfficeVersion.h"

#include "support/DebugLog.h"
#include "support/VersionInfo.h"

namespace Module1 {

std::wstring OfficeVersionKey(const OfficeApp& app, std::wstring& sWhy) {
    const std::wstring& exe = *app.exePath;
    if (exe.empty()) {
        sWhy = std::wstring(app.name) + L" was not found";
        return {};
    }
    DWORD error = 0;
    const VersionInfo::Fields version = VersionInfo::ReadFromFile(exe, &error);
    if (!version.found) {
        sWhy = L"the version of \"" + exe + L"\" cannot be read: " +
               (error ? CommonModule::Win32Error(error).description : L"no version resource");
        return {};
    }
    if (version.major == 15 || version.major == 16) return std::to_wstring(version.major) + L".0";
    // Older versions have no Personal tab and list this folder under "My templates"
    // anyway; a newer major version would keep its settings in a key not known today.
    sWhy = std::wstring(app.name) + L" " + std::to_wstring(version.major) + L"." +
           std::to_wstring(version.minor) +
           (version.major < 15 ? L" has no Personal tab" : L" is not a version known here");
    return {};
}

std::wstring OfficeVersions::Key(const OfficeApp& app, std::wstring& sWhy) {
    std::optional<Read>& read = read_[static_cast<size_t>(&app - OfficeApps().data())];
    if (!read) {
        read.emplace();
        read->key = OfficeVersionKey(app, read->why);
    }
    sWhy = read->why;
    return read->key;
}

} // namespace Module1
