#include "core/PersonalTemplates.h"

#include "core/AppState.h"
#include "core/InstallRun.h"
#include "support/AppSettings.h"
#include "support/DebugLog.h"
#include "support/IniValues.h"
#include "support/Registry.h"
#include "support/Text.h"
#include "support/VersionInfo.h"

namespace Module1 {

namespace {

constexpr wchar_t kValueName[] = L"PersonalTemplates";
// Follows a roaming or redirected profile, where the expanded path would not.
constexpr wchar_t kRoamingFolder[] = L"%APPDATA%\\Microsoft\\Templates";

void Say(const std::wstring& sWhat) {
    CommonModule::DPrint(L"Word's personal templates location: " + sWhat);
}

std::wstring SystemReason(LSTATUS status) {
    return CommonModule::Win32Error(static_cast<DWORD>(status)).description;
}

// "15.0" for Word 2013, "16.0" for Word 2016 up to today's Microsoft 365 apps: the key
// below Office that holds Word's settings. "" with the reason for any other Word.
std::wstring OfficeVersionKey(std::wstring& sWhy) {
    if (sWordExePath.empty()) {
        sWhy = L"Word was not found";
        return {};
    }
    DWORD error = 0;
    const VersionInfo::Fields version = VersionInfo::ReadFromFile(sWordExePath, &error);
    if (!version.found) {
        sWhy = L"the version of \"" + sWordExePath + L"\" cannot be read: " +
               (error ? CommonModule::Win32Error(error).description : L"no version resource");
        return {};
    }
    if (version.major == 15 || version.major == 16) return std::to_wstring(version.major) + L".0";
    // Older Word has no Personal tab and lists this folder under "My templates" anyway;
    // a newer major version would keep its settings in a key not known today.
    sWhy = L"Word " + std::to_wstring(version.major) + L"." + std::to_wstring(version.minor) +
           (version.major < 15 ? L" has no Personal tab" : L" is not a version known here");
    return {};
}

// Read only when a write is due: a repeat run finds the value set and so costs no read
// of Dorvane.ini, which at logon usually lies on a file server.
bool SwitchedOff() {
    return !CommonModule::sAppINI.empty() &&
           CommonModule::ReadIniSection(CommonModule::sAppINI, L"Office", kValueName) == L"0";
}

} // namespace

void OfferTemplatesToWord(const InstallRun& run) {
    using namespace CommonModule;
    if (!run.bTemplateInPlace) return Say(L"not looked at: no template was installed");
    std::wstring why;
    const std::wstring version = OfficeVersionKey(why);
    if (version.empty()) return Say(L"not set: " + why);

    const std::wstring key = L"Software\\Microsoft\\Office\\" + version + L"\\Word\\Options";
    const RegistryValue current = ReadRegistryValue(HKEY_CURRENT_USER, key, kValueName);
    if (current.status != ERROR_SUCCESS && current.status != ERROR_FILE_NOT_FOUND)
        return Say(L"not set: HKCU\\" + key + L" cannot be read: " + SystemReason(current.status));
    if (current.IsSet())
        return Say(L"kept: HKCU\\" + key + L" already names \"" + current.text + L"\"");

    const std::wstring policyKey =
        L"Software\\Policies\\Microsoft\\Office\\" + version + L"\\Word\\Options";
    const RegistryValue policy = ReadRegistryValue(HKEY_CURRENT_USER, policyKey, kValueName);
    if (policy.IsSet()) return Say(L"left alone: a policy sets it (HKCU\\" + policyKey + L")");
    if (policy.status != ERROR_SUCCESS && policy.status != ERROR_FILE_NOT_FOUND)
        return Say(L"left alone: the policy HKCU\\" + policyKey + L" cannot be read: " +
                   SystemReason(policy.status));

    if (SwitchedOff())
        return Say(L"not set: Dorvane.ini switches it off ([Office] PersonalTemplates=0)");
    const bool roaming = Text::EqualsNoCase(ExpandedText(kRoamingFolder), sUserTemplatesDir);
    const std::wstring folder = roaming ? kRoamingFolder : sUserTemplatesDir;
    const LSTATUS status = WriteRegistryText(HKEY_CURRENT_USER, key, kValueName,
                                             roaming ? REG_EXPAND_SZ : REG_SZ, folder);
    if (status != ERROR_SUCCESS)
        return Say(L"not set: writing HKCU\\" + key + L" failed: " + SystemReason(status));
    Say(L"set HKCU\\" + key + L" to \"" + folder +
        L"\": Word lists the installed templates under File > New > Personal from its next start");
}

} // namespace Module1
