#include "ui/FormText.h"

#include "support/VersionInfo.h"
#include "ui/Form1.h"

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
    const HWND control = Form1::Control(hForm, id);
    if (!control) return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Set(HWND hForm, int id, const std::wstring& text) {
    if (const HWND control = Form1::Control(hForm, id)) SetWindowTextW(control, text.c_str());
}

int Say(HWND hForm, const std::wstring& text, UINT flags) {
    return MessageBoxW(hForm, text.c_str(), ProgramTitle().c_str(), flags);
}

} // namespace FormText
