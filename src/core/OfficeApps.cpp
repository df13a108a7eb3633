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

// A template of any other type opens in Word.
constexpr struct {
    std::wstring_view extension;
    AppIndex app;
} kTemplateTypes[] = {
    {L".xlt", kExcel},      {L".xltx", kExcel},      {L".xltm", kExcel},
    {L".pot", kPowerPoint}, {L".potx", kPowerPoint}, {L".potm", kPowerPoint},
};

} // namespace

std::span<const OfficeApp> OfficeApps() {
    return kApps;
}

const OfficeApp& AppForTemplate(const std::wstring& sTemplateFile) {
    const std::wstring name = CommonModule::StripPath(sTemplateFile);
    const size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos) return kApps[kWord];
    const std::wstring_view extension = std::wstring_view(name).substr(dot);
    for (const auto& type : kTemplateTypes)
        if (Text::EqualsNoCase(type.extension, extension)) return kApps[type.app];
    return kApps[kWord];
}

ShortcutStart ShortcutFor(const std::wstring& sTemplateFile) {
    const OfficeApp& app = AppForTemplate(sTemplateFile);
    const std::wstring name = CommonModule::StripPath(sTemplateFile);
    if (app.exePath->empty() && &app != &kApps[kWord])
        return {app, sUserTemplatesDir + L"\\" + name, {}, true};
    std::wstring arguments = app.newSwitch;
    arguments +=
        app.bFullPath ? L" \"" + sUserTemplatesDir + L"\\" + name + L"\"" : L"\"" + name + L"\"";
    return {app, *app.exePath, std::move(arguments)};
}

} // namespace Module1
