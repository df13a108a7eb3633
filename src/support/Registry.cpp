#include "support/Registry.h"

#include "support/ScopedWin.h"

namespace CommonModule {

bool RegistryValue::IsSet() const noexcept {
    if (status != ERROR_SUCCESS) return false;
    if (type == REG_SZ || type == REG_EXPAND_SZ) return !text.empty();
    return bytes > 0;
}

RegistryValue ReadRegistryValue(HKEY hRoot, const std::wstring& sSubKey, const wchar_t* sName,
                                REGSAM samView) {
    RegistryValue value;
    ScopedWin::UniqueRegKey key;
    value.status = RegOpenKeyExW(hRoot, sSubKey.c_str(), 0, KEY_QUERY_VALUE | samView, key.put());
    if (value.status != ERROR_SUCCESS) return value;
    std::wstring data;
    for (;;) {
        // Rounded up to whole characters; the extra one keeps a stored string that
        // lacks its terminator whole.
        DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        value.status =
            RegQueryValueExW(key.get(), sName, nullptr, &value.type,
                             data.empty() ? nullptr : reinterpret_cast<BYTE*>(data.data()), &size);
        value.bytes = size;
        if (value.status == ERROR_SUCCESS && !data.empty()) break;
        if (value.status != ERROR_SUCCESS && value.status != ERROR_MORE_DATA) return value;
        data.assign(size / sizeof(wchar_t) + 2, L'\0'); // the value may grow meanwhile
    }
    if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) {
        data.resize(value.bytes / sizeof(wchar_t));
        value.text = data.substr(0, data.find(L'\0'));
    }
    return value;
}

LSTATUS WriteRegistryText(HKEY hRoot, const std::wstring& sSubKey, const wchar_t* sName, DWORD type,
                          const std::wstring& sText) {
    ScopedWin::UniqueRegKey key;
    LSTATUS status = RegCreateKeyExW(hRoot, sSubKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS) return status;
    const DWORD bytes = static_cast<DWORD>((sText.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), sName, 0, type, reinterpret_cast<const BYTE*>(sText.c_str()),
                          bytes);
}

std::wstring ExpandedText(const std::wstring& sText) {
    std::wstring buf(sText.size() + 64, L'\0');
    for (;;) {
        const DWORD n =
            ExpandEnvironmentStringsW(sText.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return sText;
        if (n <= buf.size()) return buf.substr(0, n - 1);
        buf.resize(n);
    }
}

} // namespace CommonModule
