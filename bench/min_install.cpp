// The least a program can do to install what "/installall" installs: the same file
// copies (CopyFileW) and the same shortcuts (IShellLinkW + IPersistFile), read from
// a plan instead of from configuration files, with nothing else around them.
//
//   bench_mininstall APPDIR TEMPLATESDIR DESKTOPDIR WORDEXE COUNT
//
// APPDIR holds Templates, AltIcons and plan.txt (one configuration a line: template,
// icon, shortcut name and description, TAB-separated). COUNT limits the lines used,
// so that COUNT 0 measures the same process without any installing.
#include "MinimalLink.h"
#include "support/ScopedWin.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct PlanLine {
    std::wstring templateFile, iconFile, shortcutName, description;
};

std::vector<PlanLine> ReadPlan(const std::wstring& file) {
    std::vector<PlanLine> plan;
    ScopedWin::UniqueFile f(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    if (!f) return plan;
    std::string text(GetFileSize(f.get(), nullptr), '\0');
    DWORD got = 0;
    ReadFile(f.get(), text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
    text.resize(got);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::wstring fields[4];
        size_t field = 0;
        for (char c : line) {
            if (c == '\t') {
                if (++field == 4) break;
            } else {
                fields[field] += static_cast<wchar_t>(static_cast<unsigned char>(c));
            }
        }
        plan.push_back({fields[0], fields[1], fields[2], fields[3]});
    }
    return plan;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc != 6) return 2;
    std::wstring app = __wargv[1];
    if (app.back() != L'\\') app += L'\\';
    const std::wstring templatesDir = __wargv[2];
    const std::wstring desktop = __wargv[3];
    const std::wstring word = __wargv[4];
    const size_t count = static_cast<size_t>(std::wcstoul(__wargv[5], nullptr, 10));

    std::vector<PlanLine> plan = ReadPlan(app + L"plan.txt");
    if (plan.size() > count) plan.resize(count);
    if (FAILED(CoInitialize(nullptr))) return 3;
    int failures = 0;
    for (const auto& line : plan) {
        if (!CopyFileW((app + L"Templates\\" + line.templateFile).c_str(),
                       (templatesDir + L"\\" + line.templateFile).c_str(), FALSE))
            ++failures;
        if (line.shortcutName.empty()) continue;
        std::wstring icon = word;
        if (!line.iconFile.empty()) {
            icon = templatesDir + L"\\" + line.iconFile;
            if (!CopyFileW((app + L"AltIcons\\" + line.iconFile).c_str(), icon.c_str(), FALSE))
                ++failures;
        }
        if (!bench::SaveShortcut(desktop + L"\\" + line.shortcutName + L".lnk", word, icon,
                                 templatesDir, L"/t\"" + line.templateFile + L"\"",
                                 line.description))
            ++failures;
    }
    CoUninitialize();
    return failures ? 1 : 0;
}
