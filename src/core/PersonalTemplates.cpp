#include "core/PersonalTemplates.h"

#include "core/AppState.h"
#include "core/InstallRun.h"
#include "core/OfficeApps.h"
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

// Where the lines go: the debug output, or a check's report (which writes nothing).
using Said = std::vector<std::wstring>*;

void Say(const OfficeApp& app, const std::wstring& sWhat, Said said) {
    const std::wstring line = std::wstring(app.name) + L"'s personal templates location: " + sWhat;
    if (said)
        said->push_back(line);
    else
        CommonModule::DPrint(line);
}

std::wstring SystemReason(LSTATUS status) {
    return CommonModule::Win32Error(static_cast<DWORD>(status)).description;
}

// "15.0" for Office 2013, "16.0" for Office 2016 up to today's Microsoft 365 apps: the
// key below Office that holds the application's settings. "" with the reason for any
// other version.
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

// Read only when a write is due, and once: a repeat run finds the values set and so
// costs no read of Dorvane.ini, which at logon usually lies on a file server.
class SwitchedOff {
  public:
    bool operator()() {
        if (!read_)
            off_ =
                !CommonModule::sAppINI.empty() &&
                CommonModule::ReadIniSection(CommonModule::sAppINI, L"Office", kValueName) == L"0";
        read_ = true;
        return off_;
    }

  private:
    bool read_ = false, off_ = false;
};

void OfferTemplatesTo(const OfficeApp& app, SwitchedOff& switchedOff, Said said) {
    using namespace CommonModule;
    std::wstring why;
    const std::wstring version = OfficeVersionKey(app, why);
    if (version.empty()) return Say(app, L"not set: " + why, said);

    const std::wstring options = L"\\" + std::wstring(app.name) + L"\\Options";
    const std::wstring key = L"Software\\Microsoft\\Office\\" + version + options;
    const RegistryValue current = ReadRegistryValue(HKEY_CURRENT_USER, key, kValueName);
    if (current.status != ERROR_SUCCESS && current.status != ERROR_FILE_NOT_FOUND)
        return Say(app,
                   L"not set: HKCU\\" + key + L" cannot be read: " + SystemReason(current.status),
                   said);
    if (current.IsSet())
        return Say(app, L"kept: HKCU\\" + key + L" already names \"" + current.text + L"\"", said);

    const std::wstring policyKey = L"Software\\Policies\\Microsoft\\Office\\" + version + options;
    const RegistryValue policy = ReadRegistryValue(HKEY_CURRENT_USER, policyKey, kValueName);
    if (policy.IsSet())
        return Say(app, L"left alone: a policy sets it (HKCU\\" + policyKey + L")", said);
    if (policy.status != ERROR_SUCCESS && policy.status != ERROR_FILE_NOT_FOUND)
        return Say(app,
                   L"left alone: the policy HKCU\\" + policyKey + L" cannot be read: " +
                       SystemReason(policy.status),
                   said);

    if (switchedOff())
        return Say(app, L"not set: Dorvane.ini switches it off ([Office] PersonalTemplates=0)",
                   said);
    const bool roaming = Text::EqualsNoCase(ExpandedText(kRoamingFolder), sUserTemplatesDir);
    const std::wstring folder = roaming ? kRoamingFolder : sUserTemplatesDir;
    if (said) return Say(app, L"to be set: HKCU\\" + key + L" to \"" + folder + L"\"", said);
    const LSTATUS status = WriteRegistryText(HKEY_CURRENT_USER, key, kValueName,
                                             roaming ? REG_EXPAND_SZ : REG_SZ, folder);
    if (status != ERROR_SUCCESS)
        return Say(app, L"not set: writing HKCU\\" + key + L" failed: " + SystemReason(status),
                   said);
    Say(app,
        L"set HKCU\\" + key + L" to \"" + folder + L"\": " + app.name +
            L" lists the installed templates under File > New > Personal from its next start",
        said);
}

} // namespace

void OfferTemplatesToOffice(const InstallRun& run, std::vector<std::wstring>* said) {
    if (run.templatesInPlace.empty())
        return Say(OfficeApps()[0], L"not looked at: no template was installed", said);
    SwitchedOff switchedOff;
    // Only an application that has a template there now lists one under Personal. Word
    // says why it is left alone; the others only when they were found.
    for (const OfficeApp& app : OfficeApps()) {
        if (!run.templatesInPlace.contains(&app)) {
            if (&app == &OfficeApps()[0])
                Say(app, L"not looked at: no Word template was installed", said);
        } else if (&app == &OfficeApps()[0] || !app.exePath->empty()) {
            OfferTemplatesTo(app, switchedOff, said);
        }
    }
}

} // namespace Module1
