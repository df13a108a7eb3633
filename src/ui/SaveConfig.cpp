#include "ui/SaveConfig.h"

#include "core/ConfigNames.h"
#include "core/Module1.h"
#include "resource.h"
#include "support/AppSettings.h"
#include "support/IniValues.h"
#include "support/Text.h"
#include "ui/AccessHint.h"
#include "ui/ConfigList.h"
#include "ui/FormText.h"

#include <string>

namespace Form1Actions {

namespace {

struct Field {
    const wchar_t* key;
    int box;
};
constexpr Field kFields[] = {{Module1::kKeyTemplateFile, IDC_txtTemplateFileName},
                             {Module1::kKeyShortcutName, IDC_txtLNKFileName},
                             {Module1::kKeyShortcutDesc, IDC_txtLNKDesc},
                             {Module1::kKeyShortcutIcon, IDC_txtIcon}};

// What the profile functions give back for a written value: the value in the ANSI
// code page, without the blanks around it and without one pair of enclosing quotes.
std::wstring AsReadBack(const std::wstring& value) {
    std::wstring v = Text::FromAnsi(Text::ToAnsi(value));
    const size_t first = v.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return {};
    v = v.substr(first, v.find_last_not_of(L" \t") - first + 1);
    if (v.size() >= 2 && v.front() == v.back() && (v.front() == L'"' || v.front() == L'\''))
        v = v.substr(1, v.size() - 2);
    return v;
}

// The values go into a copy of the configuration file beside it, are read back from
// there, and the copy then takes the file's place: a failed save leaves the file as
// it was, and a link planted under the configuration's name is replaced, never
// written through.
bool WriteConfig(HWND hForm, const std::wstring& cfg) {
    const std::wstring folder = CommonModule::AppPath() + L"Configs";
    wchar_t temp[MAX_PATH] = {};
    if (!GetTempFileNameW(folder.c_str(), L"cfg", 0, temp)) return false;
    bool ok = true;
    const DWORD attributes = GetFileAttributesW(cfg.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = false;
        else if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            ok = CopyFileW(cfg.c_str(), temp, FALSE) &&
                 SetFileAttributesW(temp, FILE_ATTRIBUTE_NORMAL);
    }
    for (const Field& field : kFields) {
        if (!ok) break;
        const std::wstring value = FormText::Get(hForm, field.box);
        ok = CommonModule::WriteIniValue(temp, Module1::kConfigSection, field.key, value) &&
             CommonModule::ReadIniSection(temp, Module1::kConfigSection, field.key) ==
                 AsReadBack(value);
    }
    ok = ok && MoveFileExW(temp, cfg.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (ok) return true;
    const DWORD error = GetLastError();
    DeleteFileW(temp);
    SetLastError(error);
    return false;
}

} // namespace

void SaveConfig(HWND hForm) {
    const std::wstring name = FormText::Get(hForm, IDC_txtConfigName);
    if (name.empty()) return;
    std::wstring why;
    if (!Module1::IsSavableConfigName(name, why)) {
        FormText::Say(hForm,
                      L"The configuration name \"" + name + L"\" cannot be used (" + why +
                          L").\r\nNothing was saved.",
                      MB_OK | MB_ICONWARNING);
        return;
    }
    const std::wstring cfg = Module1::ConfigFilePath(name);
    if (WriteConfig(hForm, cfg))
        FormText::Say(hForm, L"Template Saved!", MB_OK);
    else
        FormText::Say(
            hForm,
            AccessHint::WithRunAsHint(L"The template configuration could not be saved to\r\n" + cfg,
                                      GetLastError()),
            MB_OK | MB_ICONERROR);
    ConfigList::RefreshConfigList(hForm);
}

} // namespace Form1Actions
