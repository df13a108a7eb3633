#include "core/MacroNotices.h"

#include "core/OfficeApps.h"
#include "core/OfficeVersion.h"
#include "core/TrustSettings.h"
#include "support/AppPath.h"
#include "support/AppSettings.h"
#include "support/DebugLog.h"
#include "support/Strings.h"
#include "support/Text.h"
#include "support/WriteRights.h"
#include "support/ZoneMark.h"

#include <string_view>

namespace Module1 {

namespace {

std::wstring FolderOf(const std::wstring& sPath) {
    const size_t slash = sPath.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : sPath.substr(0, slash);
}

std::wstring Joined(const std::vector<std::wstring>& names) {
    std::wstring text;
    for (size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? L"" : i + 1 == names.size() ? L" and " : L", ") + names[i];
    return text;
}

} // namespace

bool IsMacroTemplate(const std::wstring& sFileName) {
    const std::wstring name = CommonModule::StripPath(sFileName);
    const size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos) return false;
    const std::wstring_view extension = std::wstring_view(name).substr(dot);
    for (const wchar_t* macro : {L".dotm", L".dot", L".xltm", L".xlt", L".potm", L".pot"})
        if (Text::EqualsNoCase(extension, macro)) return true;
    return false;
}

void MacroNotices::InPlace(const PlacedTemplate& placed) {
    if (!CommonModule::bMacroChecks || !IsMacroTemplate(placed.sRelative)) return;
    Trust(placed);
    Mark(placed);
    Rights(placed);
}

void MacroNotices::Say(const std::wstring& who, const std::wstring& text) {
    notices_.push_back(who + L": " + text);
    CommonModule::DPrint(notices_.back());
}

void MacroNotices::Trust(const PlacedTemplate& placed) {
    const OfficeApp& app = AppForTemplate(placed.sRelative);
    std::optional<AppTrust>& trust = trust_[static_cast<size_t>(&app - OfficeApps().data())];
    if (!trust) {
        std::wstring why;
        trust.emplace();
        trust->version = versions_.Key(app, why);
        // One that was not found is not asked about: its templates open nowhere here.
        if (trust->version.empty() && !app.exePath->empty())
            CommonModule::DPrint(std::wstring(app.name) + L"'s trusted locations not looked at: " +
                                 why);
        else
            trust->settings = ReadTrustSettings(trust->version, app.name);
    }
    const std::wstring folder = FolderOf(placed.sInstalled);
    if (trust->version.empty() || trust->bTold || folder == trust->trustedFolder) return;
    const std::wstring why = WhyNotTrusted(trust->settings, app.name, folder, SystemPathView());
    if (why.empty()) {
        trust->trustedFolder = folder;
        return;
    }
    trust->bTold = true;
    Say(placed.who, L"Templates\\" + placed.sRelative + L" is not in a trusted location of " +
                        app.name + L", which will not run its macros: " + why);
}

void MacroNotices::Mark(const PlacedTemplate& placed) {
    std::wstring why;
    const std::wstring& file = placed.bCopied ? placed.sSource : placed.sInstalled;
    const int zone = CommonModule::ZoneOfFile(file, why);
    if (!why.empty())
        CommonModule::DPrint(placed.who + L": the mark of the web of \"" + file +
                             L"\" cannot be read: " + why);
    if (zone != CommonModule::kInternetZone && zone != CommonModule::kRestrictedZone) return;
    Say(placed.who,
        L"Templates\\" + placed.sRelative + L" carries the mark of the web (" +
            (zone == CommonModule::kInternetZone ? L"Internet zone" : L"Restricted sites zone") +
            L"): outside a trusted location Office blocks its macros; unblock it on "
            L"the share");
}

void MacroNotices::Rights(const PlacedTemplate& placed) {
    std::wstring why;
    if (!folderWriters_) {
        folderWriters_.emplace();
        const std::wstring folder = CommonModule::AppPath() + L"Templates";
        if (!CommonModule::BroadWriters(folder, true, *folderWriters_, why))
            CommonModule::DPrint(L"The rights of \"" + folder + L"\" cannot be read: " + why);
    }
    std::vector<std::wstring> fileWriters;
    if (placed.bCopied && !CommonModule::BroadWriters(placed.sSource, false, fileWriters, why))
        CommonModule::DPrint(placed.who + L": the rights of \"" + placed.sSource +
                             L"\" cannot be read: " + why);
    const std::wstring tail =
        L": its macros run for every user who gets it; let only administrators write it";
    const std::wstring name = L"Templates\\" + placed.sRelative;
    if (!fileWriters.empty())
        Say(placed.who, name + L" can be changed by " + Joined(fileWriters) + tail);
    else if (!folderWriters_->empty())
        Say(placed.who, name + L" can be changed by " + Joined(*folderWriters_) +
                            L", who may write the folder Templates" + tail);
}

} // namespace Module1
