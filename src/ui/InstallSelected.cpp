#include "ui/InstallSelected.h"

#include "core/InstallConfig.h"
#include "core/InstallRun.h"
#include "resource.h"
#include "ui/FormText.h"
#include "ui/common/Controls.h"

#include <string>

namespace Form1Actions {

void InstallSelected(HWND hForm) {
    const bool bShortcuts =
        SendMessageW(Controls::Find(hForm, IDC_Check1), BM_GETCHECK, 0, 0) == BST_CHECKED;
    const HWND list = Controls::Find(hForm, IDC_List1);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    size_t selected = 0;
    std::wstring failures;
    {
        // Ends, and removes its working folders, before the message box waits on the user.
        Module1::InstallRun run;
        for (LRESULT i = 0; i < count; ++i) {
            if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) <= 0) continue;
            ++selected;
            const std::wstring name = Controls::ListEntry(list, i);
            const Module1::InstallResult result = Module1::InstallConfig(run, name, bShortcuts);
            if (!result) failures += L"\r\n" + name + L": " + result.sReason;
        }
    }
    if (selected == 0)
        FormText::Say(hForm, L"No template configuration is selected.", MB_OK | MB_ICONINFORMATION);
    else if (failures.empty())
        FormText::Say(hForm, L"Template(s) Installed!", MB_OK);
    else
        FormText::Say(hForm,
                      L"These template configurations were not installed completely:" + failures,
                      MB_OK | MB_ICONWARNING);
}

} // namespace Form1Actions
