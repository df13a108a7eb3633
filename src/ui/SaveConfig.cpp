#include "ui/SaveConfig.h"

#include "core/ConfigNames.h"
#include "core/Module1.h"
#include "resource.h"
#include "support/AppSettings.h"
#include "support/DebugLog.h"
#include "support/IniValues.h"
#include "support/LinkTag.h"
#include "support/Probes.h"
#include "support/Staging.h"
#include "support/Text.h"
#include "ui/AccessHint.h"
#include "ui/ConfigList.h"
#include "ui/Form1Memory.h"
#include "ui/FormText.h"
#include "ui/common/Controls.h"

#include <string>
#include <vector>

namespace Form1Actions {

namespace {

struct Field {
    const wchar_t* key;
    int box;
    const wchar_t* caption; // as the label above the box says it
};
constexpr Field kName = {nullptr, IDC_txtConfigName, L"Template Config Name"};
constexpr Field kFields[] = {
    {Module1::kKeyTemplateFile, IDC_txtTemplateFileName, L"Template File Name"},
    {Module1::kKeyShortcutName, IDC_txtLNKFileName, L"Shortcut Name"},
    {Module1::kKeyShortcutDesc, IDC_txtLNKDesc, L"Shortcut Description"},
    {Module1::kKeyShortcutIcon, IDC_txtIcon, L"Alternate Icon"}};

// The warning, then the box gets the focus, so that the user can mend it there.
void Refuse(HWND hForm, const Field& field, const std::wstring& text) {
    FormText::Say(hForm, text + L"\r\nNothing was saved.", MB_OK | MB_ICONWARNING);
    if (const HWND box = Controls::Find(hForm, field.box)) {
        SetFocus(box);
        SendMessageW(box, EM_SETSEL, 0, -1);
    }
}

// Without Configs, or with a file in its place, the system says only "Directory name
// invalid."; the folder's own state is what the user can mend.
std::wstring WhyNoFileIn(const std::wstring& folder, DWORD error) {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    const DWORD asked = GetLastError();
    if (attributes == INVALID_FILE_ATTRIBUTES &&
        (asked == ERROR_FILE_NOT_FOUND || asked == ERROR_PATH_NOT_FOUND))
        return L"The folder \"" + folder + L"\" is missing.";
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return L"\"" + folder + L"\" is not a folder.";
    return CommonModule::Win32Error(error).description;
}

// The values go into a copy of the configuration file beside it, are read back from
// there, and the copy then takes the file's place (keeping its attributes and security):
// a failed save leaves the file as it was, and a link planted under the configuration's
// name is replaced, never written through.
bool WriteConfig(HWND hForm, const std::wstring& cfg, std::wstring& why) {
    // Read first: reading the boxes resets the system's last error, which tells why a
    // failed save failed.
    std::vector<std::wstring> keys, values;
    for (const Field& field : kFields) {
        keys.push_back(field.key);
        values.push_back(CommonModule::KeptThroughKeyRead(FormText::Get(hForm, field.box)));
    }
    const std::wstring folder = CommonModule::AppPath() + L"Configs";
    wchar_t temp[MAX_PATH] = {};
    if (!GetTempFileNameW(folder.c_str(), L"cfg", 0, temp)) {
        const DWORD error = GetLastError();
        why = WhyNoFileIn(folder, error);
        SetLastError(error);
        return false;
    }
    bool ok = true;
    WIN32_FIND_DATAW entry{};
    if (CommonModule::EntryAt(cfg, entry)) {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = false;
        else if (!CommonModule::IsLinkEntry(entry))
            ok = CopyFileW(cfg.c_str(), temp, FALSE) &&
                 SetFileAttributesW(temp, FILE_ATTRIBUTE_NORMAL);
    }
    // One write for the four values, so that one decision on the file's encoding
    // covers them all (a value the ANSI code page lacks makes an ANSI file UTF-16).
    ok = ok && CommonModule::WriteIniValues(temp, Module1::kConfigSection, keys, values);
    for (size_t i = 0; ok && i < keys.size(); ++i)
        ok = CommonModule::ReadIniSection(temp, Module1::kConfigSection, keys[i]) ==
             CommonModule::AsKeyReadGivesIt(values[i]);
    if (ok &&
        CommonModule::ReplaceByName(temp, cfg, why, CommonModule::Keep::AttributesAndSecurity))
        return true;
    const DWORD error = GetLastError();
    DeleteFileW(temp);
    SetLastError(error);
    return false;
}

// Saving over another configuration than the one in the boxes loses its values: only
// after a question, whose default answer keeps them.
bool MayReplace(HWND hForm, const std::wstring& existing) {
    const Form1::Memory* memory = Form1::MemoryOf(hForm);
    if (memory && Text::EqualsNoCase(existing, memory->loadedFile)) return true;
    return FormText::Say(hForm,
                         L"A configuration named \"" + Module1::ConfigNameFromFile(existing) +
                             L"\" already exists. Replace its values?",
                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

} // namespace

void SaveConfig(HWND hForm) {
    const std::wstring name = FormText::Get(hForm, IDC_txtConfigName);
    if (name.empty()) return;
    std::wstring cfg = Module1::ConfigFilePath(name);
    std::wstring why;
    if (!Module1::IsSavableConfigName(name, cfg, why)) {
        Refuse(hForm, kName,
               L"The configuration name \"" + name + L"\" cannot be used (" + why + L").");
        return;
    }
    // Another letter case of an existing name means that configuration, and its file
    // keeps the name it has.
    const std::wstring existing = Module1::ExistingConfigFile(name);
    if (!existing.empty()) cfg = existing;
    // Someone made it read-only to keep it as it is.
    if (AccessHint::IsReadOnlyFile(cfg)) {
        FormText::Say(hForm,
                      L"The template configuration file is read-only:\r\n" + cfg +
                          L"\r\nNothing was saved.",
                      MB_OK | MB_ICONWARNING);
        return;
    }
    if (!existing.empty() && !MayReplace(hForm, existing)) return;
    std::wstring whyNot; // the system's reason when the file could not take its place
    if (WriteConfig(hForm, cfg, whyNot)) {
        if (Form1::Memory* memory = Form1::MemoryOf(hForm)) memory->loadedFile = cfg;
        FormText::Say(hForm, L"Template Saved!", MB_OK);
    } else {
        const DWORD error = GetLastError();
        if (!whyNot.empty()) CommonModule::DPrint(L"SaveConfig: \"" + cfg + L"\": " + whyNot);
        FormText::Say(
            hForm,
            AccessHint::WithRunAsHint(L"The template configuration could not be saved to\r\n" +
                                          cfg + (whyNot.empty() ? L"" : L"\r\n" + whyNot),
                                      error, cfg),
            MB_OK | MB_ICONERROR);
    }
    ConfigList::RefreshConfigList(hForm);
}

} // namespace Form1Actions
