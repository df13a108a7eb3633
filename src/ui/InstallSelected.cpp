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

// A logon run of the same user can hold the turn for minutes: the title says why Install
// seems to do nothing, until the turn comes.
class WaitInTitle : public CommonModule::TurnWait {
  public:
    explicit WaitInTitle(HWND hForm) : form_(hForm) {}

    void Waiting() override {
        title_ = Controls::WindowText(form_);
        SetWindowTextW(form_, (title_ + kWaiting).c_str());
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }
    void WaitOver() override { SetWindowTextW(form_, title_.c_str()); }

  private:
    static constexpr wchar_t kWaiting[] = L"  -  Waiting for another Dorvane run to finish...";
    HWND form_;
    std::wstring title_;
};

// A heading and up to kFailuresShown entries under it; nothing when there are none.
struct ReportPart {
    std::wstring shown;
    size_t count = 0;
    void Add(const std::wstring& name, const std::wstring& text) {
        if (++count <= kFailuresShown) shown += L"\r\n" + name + L": " + text;
    }
    std::wstring Text(const wchar_t* heading) const {
        if (count == 0) return {};
        std::wstring text = heading + shown;
        if (count > kFailuresShown)
            text += L"\r\n... and " + std::to_wstring(count - kFailuresShown) + L" more.";
        return text;
    }
};

std::wstring FailureReport(const ReportPart& failed, const ReportPart& notForUser) {
    std::wstring text =
        failed.Text(L"These template configurations were not installed completely:");
    if (failed.count > kFailuresShown)
        text += L"\r\nEvery failure is on the debugger output, and in the log file when "
                L"Dorvane.ini switches it on ([Debug] ToFile=1).";
    if (notForUser.count == 0) return text;
    return (text.empty() ? L"Template(s) Installed!" : text) + L"\r\n\r\n" +
           notForUser.Text(L"Not for this user, so not installed:");
}

} // namespace

void InstallSelected(HWND hForm) {
    const bool bShortcuts =
        SendMessageW(Controls::Find(hForm, IDC_Check1), BM_GETCHECK, 0, 0) == BST_CHECKED;
    const HWND list = Controls::Find(hForm, IDC_List1);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    size_t selected = 0;
    ReportPart failed, notForUser;
    {
        BusyWindow busy;
        WaitInTitle wait(hForm);
        // Ends, and removes its working folders, before the message box waits on the user.
        Module1::InstallRun run(&wait);
        std::vector<std::wstring> names;
        for (LRESULT i = 0; i < count; ++i)
            if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0)
                names.push_back(Controls::ListEntry(list, i));
        selected = names.size();
        const std::vector<Module1::InstallResult> results =
            Module1::InstallConfigs(run, names, bShortcuts, [&busy] { busy.Repaint(); });
        for (size_t i = 0; i < names.size(); ++i) {
            if (!results[i])
                failed.Add(names[i], results[i].sReason);
            else if (results[i].bNotForUser)
                notForUser.Add(names[i], L"for members of " + results[i].sReason);
        }
        Module1::OfferTemplatesToOffice(run);
    }
    if (selected == 0)
        FormText::Say(hForm, L"No template configuration is selected.", MB_OK | MB_ICONINFORMATION);
    else if (failed.count + notForUser.count == 0)
        FormText::Say(hForm, L"Template(s) Installed!", MB_OK);
    else
        FormText::Say(hForm, FailureReport(failed, notForUser),
                      failed.count ? MB_OK | MB_ICONWARNING : MB_OK | MB_ICONINFORMATION);
}

} // namespace Form1Actions
