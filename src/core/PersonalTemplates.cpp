#include "core/PersonalTemplates.h"

#include "core/AppState.h"
#include "core/InstallRun.h"
#include "core/OfficeApps.h"
#include "core/OfficeVersion.h"
#include "support/AppSettings.h"
#include "support/DebugLog.h"
#include "support/IniValues.h"
#include "support/Registry.h"
#include "support/Text.h"

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

void OfferTemplatesTo(const OfficeApp& app, OfficeVersions& versions, SwitchedOff& switchedOff,
                      Said said) {
    using namespace CommonModule;
    std::wstring why;
    const std::wstring version = versions.Key(app, why);
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

void OfferTemplatesToOffice(InstallRun& run, std::vector<std::wstring>* said) {
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
            OfferTemplatesTo(app, run.versions, switchedOff, said);
        }
    }
}

} // namespace Module1
