#include "core/TrustSettings.h"

#include "support/Registry.h"
#include "support/ScopedWin.h"
#include "support/Text.h"

#include <windows.h>

#include <optional>

namespace Module1 {

namespace {

constexpr wchar_t kLocationsKey[] = L"\\Security\\Trusted Locations";

ScopedWin::UniqueRegKey OpenKey(const std::wstring& sSubKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, sSubKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return ScopedWin::UniqueRegKey();
    return ScopedWin::UniqueRegKey(key);
}

std::optional<DWORD> Dword(HKEY key, const wchar_t* sName) {
    DWORD value = 0, type = 0, size = sizeof(value);
    if (RegQueryValueExW(key, sName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return value;
}

std::wstring String(HKEY key, const wchar_t* sName) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, sName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, sName, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
        return {};
    text.resize(wcsnlen(text.c_str(), size / sizeof(wchar_t)));
    return text;
}

// The Location<N> keys below the key, each with its Path and AllowSubfolders.
std::vector<TrustedLocation> Locations(HKEY key) {
    std::vector<TrustedLocation> locations;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD length = ARRAYSIZE(name);
        const LSTATUS status =
            RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) break;
        HKEY sub = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
        const ScopedWin::UniqueRegKey owned(sub);
        locations.push_back(
            {String(sub, L"Path"), Dword(sub, L"AllowSubfolders").value_or(0) != 0});
    }
    return locations;
}

} // namespace

TrustSettings ReadTrustSettings(const std::wstring& sVersion, const wchar_t* sApp) {
    TrustSettings settings;
    const std::wstring app = L"\\" + sVersion + L"\\" + sApp + kLocationsKey;
    std::optional<DWORD> network;
    if (const auto policy = OpenKey(L"Software\\Policies\\Microsoft\\Office" + app)) {
        settings.bAllDisabled = Dword(policy.get(), L"AllLocationsDisabled").value_or(0) == 1;
        network = Dword(policy.get(), L"AllowNetworkLocations");
        settings.policyLocations = Locations(policy.get());
    }
    if (const auto common = OpenKey(L"Software\\Policies\\Microsoft\\Office\\" + sVersion +
                                    L"\\Common" + kLocationsKey))
        settings.bPolicyOnly = Dword(common.get(), L"Allow User Locations").value_or(1) == 0;
    if (const auto user = OpenKey(L"Software\\Microsoft\\Office" + app)) {
        settings.bUserKey = true;
        if (!network) network = Dword(user.get(), L"AllowNetworkLocations");
        settings.userLocations = Locations(user.get());
    }
    settings.bAllowNetwork = network.value_or(0) == 1;
    settings.bDefaultSubfolders = Text::EqualsNoCase(sApp, L"PowerPoint");
    return settings;
}

PathView SystemPathView() {
    return {CommonModule::ExpandedText, [](const std::wstring& sPath) {
                if (sPath.starts_with(L"\\\\?\\") || sPath.starts_with(L"\\\\.\\"))
                    return Text::Lower(sPath).starts_with(L"\\\\?\\unc\\");
                if (sPath.starts_with(L"\\\\")) return true;
                if (sPath.size() < 2 || sPath[1] != L':') return false;
                const std::wstring root = sPath.substr(0, 2) + L"\\";
                return GetDriveTypeW(root.c_str()) == DRIVE_REMOTE;
            }};
}

} // namespace Module1
