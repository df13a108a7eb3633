#include "ui/DeleteConfig.h"

#include "core/Module1.h"
#include "core/SafePaths.h"
#include "support/AppSettings.h"
#include "support/DebugLog.h"
#include "support/IniValues.h"
#include "ui/AccessHint.h"
#include "ui/ConfigList.h"
#include "ui/FormText.h"

#include <string>

namespace Form1Actions {

namespace {

// The program may run with administrator rights and the names come from files others
// may edit: only a file inside the data folder goes, never the folder itself or
// anything a name leads out to. Each outcome leaves one line on the debug output; the
// path of a file the account may not delete is kept in denied.
void DeleteDataFile(const wchar_t* folder, const std::wstring& name, std::wstring& denied) {
    const std::wstring path = CommonModule::AppPath() + folder + L"\\" + name;
    std::wstring why;
    if (name.empty())
        why = L"no file named";
    else if (!SafePaths::StaysInside(name, why))
        why = L"refused: " + why;
    else if (const DWORD a = GetFileAttributesW(path.c_str()); a == INVALID_FILE_ATTRIBUTES)
        why = L"not there";
    else if (a & FILE_ATTRIBUTE_DIRECTORY)
        why = L"a folder";
    else if (!DeleteFileW(path.c_str())) {
        const DWORD error = GetLastError();
        why = CommonModule::Win32Error(error).description;
        if (error == ERROR_ACCESS_DENIED && denied.empty()) denied = path;
    }
    CommonModule::DPrint(why.empty() ? L"Delete: deleted " + path
                                     : L"Delete: kept " + path + L" (" + why + L")");
}

} // namespace

void DeleteHighlighted(HWND hForm) {
    const std::wstring name = ConfigList::ChosenEntry(hForm);
    if (name.empty()) {
        FormText::Say(hForm, L"No template configuration is selected.", MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::wstring denied;
    if (FormText::Say(hForm, L"Delete template config:  " + name, MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return;
    if (FormText::Say(hForm, L"Delete associated template file (and icon, if configured)?",
                      MB_YESNO | MB_ICONQUESTION) == IDYES) {
        const std::wstring cfg = Module1::ConfigFilePath(name);
        const std::wstring icon =
            CommonModule::ReadIniSection(cfg, Module1::kConfigSection, Module1::kKeyShortcutIcon);
        const std::wstring tpl =
            CommonModule::ReadIniSection(cfg, Module1::kConfigSection, Module1::kKeyTemplateFile);
        DeleteDataFile(L"AltIcons", icon, denied);
        DeleteDataFile(L"Templates", tpl, denied);
    }
    DeleteDataFile(L"Configs", name + L".cfg", denied);
    ConfigList::RefreshConfigList(hForm);
    // Other failures pass without a word; this one the user can remedy.
    if (!denied.empty())
        FormText::Say(hForm,
                      AccessHint::WithRunAsHint(L"\"" + denied + L"\" could not be deleted.",
                                                ERROR_ACCESS_DENIED),
                      MB_OK | MB_ICONERROR);
}

} // namespace Form1Actions
