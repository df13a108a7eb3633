#include "ui/InstallSelected.h"

#include "core/InstallConfig.h"
#include "core/InstallRun.h"
#include "core/PersonalTemplates.h"
#include "resource.h"
#include "ui/FormText.h"
#include "ui/common/Controls.h"

#include <string>

namespace Form1Actions {

namespace {

// A report taller than this would leave the screen, and its button with it.
constexpr size_t kFailuresShown = 15;

// While an install runs the pointer shows the wait cursor and the window keeps painting.
// Clicks and keys given meanwhile are dropped: an impatient second click on Install
// must not start the whole run again once this one ends.
class BusyWindow {
  public:
    BusyWindow() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~BusyWindow() {
        MSG m;
        while (PeekMessageW(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) ||
               PeekMessageW(&m, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
        }
        SetCursor(previous_);
    }
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

    void Repaint() {
        MSG m;
        while (PeekMessageW(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            DispatchMessageW(&m);
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }

  private:
    HCURSOR previous_;
};

std::wstring FailureReport(const std::wstring& shown, size_t failed) {
    std::wstring text = L"These template configurations were not installed completely:" + shown;
    if (failed > kFailuresShown)
        text += L"\r\n... and " + std::to_wstring(failed - kFailuresShown) +
                L" more.\r\nEvery failure is on the debugger output, and in the log file when "
                L"Dorvane.ini switches it on ([Debug] ToFile=1).";
    return text;
}

} // namespace

void InstallSelected(HWND hForm) {
    const bool bShortcuts =
        SendMessageW(Controls::Find(hForm, IDC_Check1), BM_GETCHECK, 0, 0) == BST_CHECKED;
    const HWND list = Controls::Find(hForm, IDC_List1);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    size_t selected = 0, failed = 0;
    std::wstring shown;
    {
        BusyWindow busy;
        // Ends, and removes its working folders, before the message box waits on the user.
        Module1::InstallRun run;
        for (LRESULT i = 0; i < count; ++i) {
            if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) <= 0) continue;
            ++selected;
            const std::wstring name = Controls::ListEntry(list, i);
            const Module1::InstallResult result = Module1::InstallConfig(run, name, bShortcuts);
            if (!result && ++failed <= kFailuresShown)
                shown += L"\r\n" + name + L": " + result.sReason;
            busy.Repaint();
        }
        Module1::OfferTemplatesToWord(run);
    }
    if (selected == 0)
        FormText::Say(hForm, L"No template configuration is selected.", MB_OK | MB_ICONINFORMATION);
    else if (failed == 0)
        FormText::Say(hForm, L"Template(s) Installed!", MB_OK);
    else
        FormText::Say(hForm, FailureReport(shown, failed), MB_OK | MB_ICONWARNING);
}

} // namespace Form1Actions
