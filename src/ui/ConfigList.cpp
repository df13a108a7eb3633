#include "ui/ConfigList.h"

#include "core/Groups.h"
#include "core/Module1.h"
#include "resource.h"
#include "support/AppSettings.h"
#include "support/Collection.h"
#include "support/FileSearch.h"
#include "support/IniValues.h"
#include "ui/Form1Memory.h"
#include "ui/common/Controls.h"

#include <string>

namespace ConfigList {

namespace {

// The focused entry when it is also highlighted, else -1.
LRESULT ChosenIndex(HWND list) {
    const LRESULT index = SendMessageW(list, LB_GETCARETINDEX, 0, 0);
    return SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0 ? index : -1;
}

} // namespace

void RefreshConfigList(HWND hForm) {
    HWND list = Controls::Find(hForm, IDC_List1);
    if (!list) return;
    Form1::Memory* memory = Form1::MemoryOf(hForm);
    Collection found;
    CommonModule::FindFiles(CommonModule::AppPath() + L"Configs", L"*.cfg", found, false);
    // One repaint for the whole list instead of one per entry.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    if (memory) memory->listedFiles.clear();
    size_t bytes = 0;
    for (const std::wstring& path : found)
        bytes += (path.size() + 1) * sizeof(wchar_t);
    SendMessageW(list, LB_INITSTORAGE, found.Count(), static_cast<LPARAM>(bytes));
    for (const std::wstring& path : found) {
        if (path.empty()) continue;
        const std::wstring name = Module1::ConfigNameFromFile(path);
        const LRESULT at =
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        // The list is not sorted: an entry's index is its place in listedFiles.
        if (!memory || at < 0) continue;
        memory->listedFiles.resize(static_cast<size_t>(at));
        memory->listedFiles.push_back(path);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

std::wstring ChosenEntry(HWND hForm) {
    const HWND list = Controls::Find(hForm, IDC_List1);
    const LRESULT index = list ? ChosenIndex(list) : -1;
    return index < 0 ? std::wstring() : Controls::ListEntry(list, index);
}

std::wstring ChosenFile(HWND hForm) {
    const HWND list = Controls::Find(hForm, IDC_List1);
    const LRESULT index = list ? ChosenIndex(list) : -1;
    if (index < 0) return {};
    const Form1::Memory* memory = Form1::MemoryOf(hForm);
    const auto at = static_cast<size_t>(index);
    if (memory && at < memory->listedFiles.size()) return memory->listedFiles[at];
    return Module1::ConfigFilePath(Controls::ListEntry(list, index));
}

LRESULT HighlightedCount(HWND hForm) {
    const HWND list = Controls::Find(hForm, IDC_List1);
    return list ? SendMessageW(list, LB_GETSELCOUNT, 0, 0) : 0;
}

void LoadSelectedConfig(HWND hForm) {
    const std::wstring name = ChosenEntry(hForm);
    if (name.empty()) return;

    const std::wstring file = ChosenFile(hForm);
    if (Form1::Memory* memory = Form1::MemoryOf(hForm)) memory->loadedFile = file;
    const struct {
        int box;
        const wchar_t* key;
    } fields[] = {{IDC_txtTemplateFileName, Module1::kKeyTemplateFile},
                  {IDC_txtLNKFileName, Module1::kKeyShortcutName},
                  {IDC_txtLNKDesc, Module1::kKeyShortcutDesc},
                  {IDC_txtIcon, Module1::kKeyShortcutIcon}};
    SetWindowTextW(Controls::Find(hForm, IDC_txtConfigName), name.c_str());
    for (const auto& f : fields)
        SetWindowTextW(Controls::Find(hForm, f.box),
                       CommonModule::ReadIniSection(file, Module1::kConfigSection, f.key).c_str());
    // Groups has no box: Save leaves the key as the administrator wrote it, and the line
    // says for whom the configuration is.
    const std::vector<std::wstring> groups = Module1::ParseGroups(
        CommonModule::ReadIniSection(file, Module1::kConfigSection, Module1::kKeyGroups));
    const std::wstring forWhom =
        groups.empty() ? std::wstring() : L"For members of: " + Module1::JoinGroups(groups);
    const HWND line = Controls::Find(hForm, IDC_Label9);
    SetWindowTextW(line, forWhom.c_str());
    if (const Form1::Memory* memory = Form1::MemoryOf(hForm))
        Tooltip::SetText(memory->forWhomTip.get(), line, forWhom);
}

} // namespace ConfigList
