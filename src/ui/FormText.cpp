#include "ui/FormText.h"

#include "support/VersionInfo.h"
#include "ui/common/Controls.h"

namespace FormText {

namespace {
const std::wstring& ProgramTitle() {
    static const std::wstring title = [] {
        std::wstring t = VersionInfo::ReadFromModule(nullptr).title;
        return t.empty() ? std::wstring(L"Dorvane") : t;
    }();
    return title;
}
} // namespace

std::wstring Get(HWND hForm, int id) {
    return Controls::WindowText(Controls::Find(hForm, id));
}

void Set(HWND hForm, int id, const std::wstring& text) {
    if (const HWND control = Controls::Find(hForm, id)) SetWindowTextW(control, text.c_str());
}

int Say(HWND hForm, const std::wstring& text, UINT flags) {
    return MessageBoxW(hForm, text.c_str(), ProgramTitle().c_str(), flags);
}

} // namespace FormText
