// The least a program can do to find out that a second "/installall" has nothing to
// do: list the configurations, read the values installing reads, compare each
// template and icon with its installed copy by size and last-write time, and load
// each shortcut and compare its fields with the ones the configuration asks for. It
// writes nothing.
//
//   bench_minrepeat APPDIR TEMPLATESDIR DESKTOPDIR WORDEXE COUNT
//
// COUNT limits the configurations checked, so that COUNT 0 measures the same process
// without any checking. Exit code 0 when everything checked matched (the profile
// holds exactly what installing writes), 1 when anything differs, 2 on bad arguments.
#include "MinimalCheck.h"
#include "support/ScopedWin.h"

#include <windows.h>
#include <objbase.h>

#include <cstdlib>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc != 6) return 2;
    std::wstring app = __wargv[1];
    if (app.back() != L'\\') app += L'\\';
    const std::wstring templatesDir = __wargv[2];
    const std::wstring desktop = __wargv[3];
    const std::wstring word = __wargv[4];
    size_t count = static_cast<size_t>(std::wcstoul(__wargv[5], nullptr, 10));
    if (FAILED(CoInitialize(nullptr))) return 2;

    int differences = 0;
    WIN32_FIND_DATAW found{};
    const std::wstring configs = app + L"Configs\\";
    ScopedWin::UniqueFind search;
    if (count > 0)
        search.reset(FindFirstFileExW((configs + L"*.cfg").c_str(), FindExInfoBasic, &found,
                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (search) {
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            const std::wstring cfg = configs + found.cFileName;
            const std::wstring templateFile = bench::IniValue(cfg, L"TemplateFile");
            if (!bench::SameFile(app + L"Templates\\" + templateFile,
                                 templatesDir + L"\\" + templateFile))
                ++differences;
            const std::wstring shortcut = bench::IniValue(cfg, L"ShortcutName");
            if (!shortcut.empty()) {
                const std::wstring desc = bench::IniValue(cfg, L"ShortcutDesc");
                const std::wstring iconFile = bench::IniValue(cfg, L"ShortcutIcon");
                std::wstring icon = word;
                if (!iconFile.empty()) {
                    icon = templatesDir + L"\\" + iconFile;
                    if (!bench::SameFile(app + L"AltIcons\\" + iconFile, icon)) ++differences;
                }
                if (!bench::SameLink(
                        desktop + L"\\" + shortcut + L".lnk",
                        {word, L"/t\"" + templateFile + L"\"", templatesDir, desc, icon}))
                    ++differences;
            }
        } while (--count > 0 && FindNextFileW(search.get(), &found));
    }
    CoUninitialize();
    return differences ? 1 : 0;
}
