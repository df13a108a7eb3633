#include "core/Startup.h"

#include "core/AppState.h"
#include "core/LocateWord.h"
#include "core/OfficeApps.h"
#include "support/AppPath.h"
#include "support/Probes.h"
#include "support/ShellFolders.h"

namespace Module1 {

std::wstring sWordExePath;
std::wstring sExcelExePath;
std::wstring sPowerPointExePath;
std::wstring sUserTemplatesDir;
std::vector<bool> bFoundInAppPaths;

namespace {

// Without the application-data folder there is no templates folder: an empty value,
// which every copy refuses, rather than a folder at the root of the drive.
std::wstring UserTemplatesFolder() {
    const std::wstring appData =
        modSpecialFolders::GetSpecialFolder(modSpecialFolders::CSIDL_APPDATA_FOLDER);
    return appData.empty() ? std::wstring() : appData + L"\\Microsoft\\Templates";
}

} // namespace

StartupFindings FindWordAndTemplates() {
    const std::vector<std::wstring> found = LocateWordExe(&bFoundInAppPaths);
    for (size_t i = 0; i < found.size(); ++i)
        *OfficeApps()[i].exePath = found[i];
    sUserTemplatesDir = UserTemplatesFolder();
    return {sWordExePath, sUserTemplatesDir};
}

void CreateDataFolders() {
    const std::wstring app = CommonModule::AppPath();
    for (const wchar_t* folder : {L"Templates", L"AltIcons", L"Configs"})
        CommonModule::CreateDirPath(app + folder);
}

} // namespace Module1
