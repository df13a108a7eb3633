#include "core/OfficeApps.h"

#include "core/AppState.h"
#include "support/Strings.h"
#include "support/Text.h"

#include <array>
#include <string_view>

namespace Module1 {

namespace {

enum AppIndex : size_t { kWord, kExcel, kPowerPoint };

const std::array<OfficeApp, 3> kApps = {{
    {L"Word", L"WINWORD.EXE", L"/t", false, &sWordExePath},
    {L"Excel", L"EXCEL.EXE", L"/t", true, &sExcelExePath},
    {L"PowerPoint", L"POWERPNT.EXE", L"/N", true, &sPowerPointExePath},
}};

// The file types of each application's family, templates and documents alike: a
// shortcut to a workbook starts Excel on it. A type ending in "*" stands for every
// type that begins so (".xlt*": ".xlt", ".xltx", ".xltm").
constexpr struct {
    std::wstring_view extension;
    AppIndex app;
} kFileTypes[] = {
    {L".xls", kExcel},       {L".xlsx", kExcel},      {L".xlsm", kExcel},
    {L".xlsb", kExcel},      {L".xlt*", kExcel},      {L".ppt", kPowerPoint},
    {L".pptx", kPowerPoint}, {L".pptm", kPowerPoint}, {L".pps*", kPowerPoint},
    {L".pot*", kPowerPoint}, {L".doc*", kWord},       {L".dot*", kWord},
    {L".rtf", kWord},
};

// ".xltx" of "Sheet.xltx"; "" for a name without one.
std::wstring_view ExtensionOf(std::wstring_view name) {
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring_view::npos ? std::wstring_view() : name.substr(dot);
}

bool IsOfType(std::wstring_view extension, std::wstring_view type) {
    if (!type.ends_with(L'*')) return Text::EqualsNoCase(extension, type);
    type.remove_suffix(1);
    return extension.size() >= type.size() &&
           Text::EqualsNoCase(extension.substr(0, type.size()), type);
}

// A template's default verb makes a new file from it; a document's opens it, so a
// shortcut to the installed copy of a document would have the user edit the copy that
// the next run replaces, and lose the work.
bool IsTemplateType(std::wstring_view extension) {
    for (const std::wstring_view type : {L".dot*", L".xlt*", L".pot*"})
        if (IsOfType(extension, type)) return true;
    return false;
}

} // namespace

std::span<const OfficeApp> OfficeApps() {
    return kApps;
}

const OfficeApp* AppOfFamily(const std::wstring& sFile) {
    const std::wstring name = CommonModule::StripPath(sFile);
    const std::wstring_view extension = ExtensionOf(name);
    if (extension.empty()) return nullptr;
    for (const auto& type : kFileTypes)
        if (IsOfType(extension, type.extension)) return &kApps[type.app];
    return nullptr;
}

const OfficeApp& AppForTemplate(const std::wstring& sTemplateFile) {
    const OfficeApp* app = AppOfFamily(sTemplateFile);
    return app ? *app : kApps[kWord];
}

ShortcutStart ShortcutFor(const std::wstring& sTemplateFile) {
    const OfficeApp& app = AppForTemplate(sTemplateFile);
    const std::wstring name = CommonModule::StripPath(sTemplateFile);
    if (app.exePath->empty() && &app != &kApps[kWord]) {
        if (!IsTemplateType(ExtensionOf(name))) return {app, {}, {}};
        return {app, sUserTemplatesDir + L"\\" + name, {}, true};
    }
    std::wstring arguments = app.newSwitch;
    arguments +=
        app.bFullPath ? L" \"" + sUserTemplatesDir + L"\\" + name + L"\"" : L"\"" + name + L"\"";
    return {app, *app.exePath, std::move(arguments)};
}

} // namespace Module1
