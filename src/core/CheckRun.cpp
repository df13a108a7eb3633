#include "core/CheckRun.h"

#include "core/AppState.h"
#include "core/CheckReport.h"
#include "core/ConfigFormat.h"
#include "core/InstallConfig.h"
#include "core/InstallRun.h"
#include "core/OfficeApps.h"
#include "core/PersonalTemplates.h"
#include "core/RetireConfig.h"
#include "support/AppPath.h"
#include "support/DebugLog.h"
#include "support/EventLog.h"
#include "support/Registry.h"
#include "support/ShellFolders.h"
#include "support/StdOutput.h"
#include "support/Strings.h"
#include "support/VersionInfo.h"

#include <algorithm>

namespace Module1 {

namespace {

// Each line to the debugger output and the log file, and to a redirected output.
class Report {
  public:
    void operator()(const std::wstring& sLine) {
        const std::wstring line = L"Check: " + sLine;
        CommonModule::DPrint(line);
        out_.Line(line);
    }

  private:
    CommonModule::RedirectedOutput out_;
};

std::wstring Quoted(const std::wstring& s) {
    return L"\"" + s + L"\"";
}

std::wstring Environment(const wchar_t* name) {
    const DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), n));
    return value;
}

std::wstring FolderLine(const wchar_t* what, const std::wstring& sFolder) {
    if (sFolder.empty()) return std::wstring(what) + L": not found";
    std::vector<std::wstring> roots;
    for (const wchar_t* name : {L"OneDrive", L"OneDriveCommercial", L"OneDriveConsumer"})
        roots.push_back(Environment(name));
    bool remote = false;
    if (sFolder.size() >= 2 && sFolder[1] == L':')
        remote = GetDriveTypeW((sFolder.substr(0, 2) + L"\\").c_str()) == DRIVE_REMOTE;
    return std::wstring(what) + L": " + Quoted(sFolder) + L" (" +
           PlaceWord(PlaceOf(sFolder, roots, remote)) + L")";
}

std::wstring AppLine(const OfficeApp& app, bool bRegistered) {
    const std::wstring& exe = *app.exePath;
    if (exe.empty()) return std::wstring(app.name) + L": not found";
    const VersionInfo::Fields v = VersionInfo::ReadFromFile(exe);
    const std::wstring version =
        v.found ? std::to_wstring(v.major) + L"." + std::to_wstring(v.minor) + L"." +
                      std::to_wstring(v.build) + L"." + std::to_wstring(v.revision)
                : std::wstring(L"unknown");
    return std::wstring(app.name) + L": " + Quoted(exe) + L", version " + version +
           (bRegistered ? L", as registered in App Paths" : L", found by the search");
}

std::wstring EventSourceLine() {
    const std::wstring key =
        std::wstring(CommonModule::kApplicationLogKey) + L"\\" + CommonModule::kEventSource;
    const CommonModule::RegistryValue file =
        CommonModule::ReadRegistryValue(HKEY_LOCAL_MACHINE, key, L"EventMessageFile");
    if (file.status == ERROR_FILE_NOT_FOUND)
        return L"event source: not registered (HKLM\\" + key + L"), so a run writes no event";
    if (file.status != ERROR_SUCCESS)
        return L"event source: HKLM\\" + key + L" cannot be read: " +
               CommonModule::Win32Error(static_cast<DWORD>(file.status)).description;
    return L"event source: registered, message file " + Quoted(file.text);
}

// A data folder that startup could not make stops the run as it would stop "/installall".
bool DataFolderBlocked(const wchar_t* name, Report& report) {
    const std::wstring folder = CommonModule::AppPath() + name;
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    report(L"the data folder " + Quoted(folder) + L" is missing and cannot be made");
    return true;
}

// The removals a check noted, one decision per configuration in the order noted.
std::vector<InstallDecision> Removals(const InstallRun& run,
                                      std::vector<InstallDecision>& decisions) {
    std::vector<std::wstring> names;
    for (const auto& [name, removal] : run.removals)
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    std::vector<InstallDecision> retired;
    for (const auto& name : names) {
        std::vector<Removal> removals;
        for (const auto& [of, removal] : run.removals)
            if (of == name) removals.push_back(removal);
        const auto current = std::find_if(decisions.begin(), decisions.end(),
                                          [&](const auto& d) { return d.config == name; });
        if (current == decisions.end()) {
            retired.push_back(RemovalAsDecision(name, L"retired", removals));
            continue;
        }
        InstallDecision removal =
            RemovalAsDecision(name, L"no longer for this user, " + current->reason, removals);
        if (removal.kind != InstallDecision::Kind::Unchanged) *current = std::move(removal);
    }
    return retired;
}

} // namespace

ExitCode RunCheck(const std::wstring& sConfigName) {
    Report report;
    InstallRun run{InstallRun::CheckOnly{}};
    bool ok = !DataFolderBlocked(L"Configs", report) && !DataFolderBlocked(L"Templates", report);
    const bool all = sConfigName.empty();
    std::vector<InstallDecision> decisions =
        DecideRun(run, all ? ListConfigNames() : std::vector<std::wstring>{sConfigName}, true);
    for (const auto& d : decisions) {
        if (d.bNotForUser && d.bRecorded) run.notForUser.push_back(d.config);
        for (const auto& step : d.steps)
            if (step.item == Recorded::Template &&
                (step.op == InstallStep::Op::Copy || step.op == InstallStep::Op::Unchanged))
                run.templatesInPlace.insert(&AppForTemplate(step.source));
    }
    std::vector<InstallDecision> retired;
    if (all) {
        ok = RemoveRetiredConfigs(run) && ok;
        ok = RemoveConfigsNotForUser(run) && ok;
        retired = Removals(run, decisions);
    }
    std::vector<std::wstring> office;
    OfferTemplatesToOffice(run, &office);

    report(L"application folder: " + Quoted(CommonModule::AppPath()));
    report(FolderLine(L"templates folder", sUserTemplatesDir));
    report(FolderLine(
        L"desktop", modSpecialFolders::GetSpecialFolder(modSpecialFolders::CSIDL_DESKTOP_FOLDER)));
    for (size_t i = 0; i < OfficeApps().size(); ++i)
        report(AppLine(OfficeApps()[i], i < bFoundInAppPaths.size() && bFoundInAppPaths[i]));
    for (const auto& line : office)
        report(line);
    report(EventSourceLine());
    for (const auto& list : {&decisions, &retired})
        for (const auto& d : *list) {
            report(DecisionLine(d));
            if (d.kind == InstallDecision::Kind::Cannot) ok = false;
        }
    if (sWordExePath.empty()) return ExitWordMissing;
    return ok ? ExitOk : ExitStepFailed;
}

} // namespace Module1
