#include "ui/DeleteConfig.h"

#include "core/ConfigUsers.h"
#include "core/Module1.h"
#include "core/SafePaths.h"
#include "support/AppSettings.h"
#include "support/DebugLog.h"
#include "ui/AccessHint.h"
#include "ui/ConfigList.h"
#include "ui/FormText.h"
#include "ui/ListedName.h"
#include "ui/OneEntry.h"

#include <string>
#include <vector>

namespace Form1Actions {

namespace {

using CommonModule::DPrint;

// What the second answer decides: the files that go on Yes, and those that stay since
// other configurations name them (a retired one's removal needs its template to tell
// the user's copy from the user's own file).
struct Plan {
    std::vector<std::wstring> deletes; // paths
    std::wstring deleteLines, keptLines;
};

// The program may run with administrator rights and the names come from files others
// may edit: only a file inside the data folder goes, never the folder itself or
// anything a name leads out to. Each file kept leaves one line on the debug output.
// The question shows each file as the folder lists it.
void PlanDataFile(Plan& plan, const Module1::ConfigUsers& users, const std::wstring& cfg,
                  const wchar_t* folder, const std::wstring& name) {
    const std::wstring path = CommonModule::AppPath() + folder + L"\\" + name;
    std::wstring why;
    if (name.empty()) return;
    if (!SafePaths::StaysInside(name, why))
        why = L"refused: " + why;
    else if (const DWORD a = GetFileAttributesW(path.c_str()); a == INVALID_FILE_ATTRIBUTES)
        why = L"not there";
    else if (a & FILE_ATTRIBUTE_DIRECTORY)
        why = L"a folder";
    if (!why.empty()) return DPrint(L"Delete: kept " + path + L" (" + why + L")");
    const std::wstring shown =
        std::wstring(folder) + L"\\" + ListedName::Of(CommonModule::AppPath() + folder, name);
    if (const auto naming = users.Naming(folder, name, cfg); !naming.empty()) {
        plan.keptLines += L"\r\n" + shown + L" (" + Module1::JoinNames(naming) + L")";
        return DPrint(L"Delete: kept " + path + L" (named by " + Module1::JoinNames(naming) + L")");
    }
    plan.deletes.push_back(path);
    plan.deleteLines += L"\r\n" + shown;
}

std::wstring SecondQuestion(const Plan& plan) {
    std::wstring text = L"Delete associated template file (and icon, if configured)?";
    if (!plan.deleteLines.empty()) text += L"\r\n\r\nDeletes:" + plan.deleteLines;
    if (!plan.keptLines.empty())
        text += L"\r\n\r\nKeeps, as other configurations name them:" + plan.keptLines;
    return text;
}

// One debug line either way; the reason when it failed.
bool Delete(const std::wstring& path, std::wstring& why, DWORD& error) {
    if (DeleteFileW(path.c_str())) {
        DPrint(L"Delete: deleted " + path);
        return true;
    }
    error = GetLastError();
    why = AccessHint::WhyNot(path, error);
    DPrint(L"Delete: kept " + path + L" (" + why + L")");
    return false;
}

} // namespace

void DeleteHighlighted(HWND hForm) {
    OneEntry::Entry entry;
    if (!OneEntry::Choose(hForm, L"delete", entry)) return;
    // Both questions default to No: Enter twice must not delete anything for good.
    if (FormText::Say(hForm, L"Delete template config:  " + entry.name,
                      MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    Plan plan;
    {
        const Module1::ConfigValues values(entry.file);
        const Module1::ConfigUsers users;
        PlanDataFile(plan, users, entry.file, L"AltIcons", values(Module1::kKeyShortcutIcon));
        PlanDataFile(plan, users, entry.file, L"Templates", values(Module1::kKeyTemplateFile));
    }
    const bool withFiles = FormText::Say(hForm, SecondQuestion(plan),
                                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
    // The configuration first: while it stays, so do the files it names.
    std::wstring why;
    DWORD error = ERROR_SUCCESS;
    if (!Delete(entry.file, why, error)) {
        const std::wstring text =
            AccessHint::IsReadOnlyFile(entry.file)
                ? L"The template configuration file is read-only:\r\n" + entry.file +
                      L"\r\nNothing was deleted."
                : AccessHint::WithRunAsHint(L"The template configuration file could not be "
                                            L"deleted:\r\n" +
                                                entry.file + L"\r\n" + why +
                                                L"\r\nNothing was deleted.",
                                            error);
        FormText::Say(hForm, text, MB_OK | MB_ICONERROR);
        return;
    }
    std::wstring failed;
    DWORD failure = ERROR_SUCCESS;
    for (const std::wstring& path : withFiles ? plan.deletes : std::vector<std::wstring>())
        if (!Delete(path, why, error)) {
            failed += L"\r\n" + path + L": " + why;
            if (error == ERROR_ACCESS_DENIED && !AccessHint::IsReadOnlyFile(path)) failure = error;
        }
    ConfigList::RefreshConfigList(hForm);
    if (!failed.empty())
        FormText::Say(hForm,
                      AccessHint::WithRunAsHint(L"The template configuration \"" + entry.name +
                                                    L"\" was deleted, but not these files:" +
                                                    failed,
                                                failure),
                      MB_OK | MB_ICONWARNING);
}

} // namespace Form1Actions
