// The least a program can do to find out that a second "/installall" has nothing to
// do: list the configurations, read their four values, compare each template and
// icon with its installed copy by size and last-write time, and load each shortcut
// and compare its fields with the ones the configuration asks for. It writes nothing.
//
//   bench_minrepeat APPDIR TEMPLATESDIR DESKTOPDIR WORDEXE
//
// Exit code 0 when everything matched (the profile holds exactly what installing
// writes), 1 when anything differs, 2 on bad arguments.
#include "support/ScopedWin.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

namespace {

std::wstring Value(const std::wstring& file, const wchar_t* key) {
    wchar_t buffer[MAX_PATH] = {};
    GetPrivateProfileStringW(L"Config", key, L"", buffer, MAX_PATH, file.c_str());
    return buffer;
}

bool SameFile(const std::wstring& a, const std::wstring& b) {
    WIN32_FILE_ATTRIBUTE_DATA x{}, y{};
    if (!GetFileAttributesExW(a.c_str(), GetFileExInfoStandard, &x) ||
        !GetFileAttributesExW(b.c_str(), GetFileExInfoStandard, &y))
        return false;
    if ((x.dwFileAttributes | y.dwFileAttributes) & FILE_ATTRIBUTE_DIRECTORY) return false;
    return x.nFileSizeLow == y.nFileSizeLow && x.nFileSizeHigh == y.nFileSizeHigh &&
           CompareFileTime(&x.ftLastWriteTime, &y.ftLastWriteTime) == 0;
}

struct Expected {
    std::wstring target, args, workDir, desc, icon;
};

bool SameLink(const std::wstring& file, const Expected& e) {
    ScopedWin::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.put_void())))
        return false;
    ScopedWin::ComPtr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.put_void())) ||
        FAILED(persist->Load(file.c_str(), STGM_READ)))
        return false;
    wchar_t text[MAX_PATH] = {};
    if (FAILED(link->GetPath(text, MAX_PATH, nullptr, SLGP_UNCPRIORITY)) || e.target != text)
        return false;
    if (FAILED(link->GetArguments(text, MAX_PATH)) || e.args != text) return false;
    if (FAILED(link->GetWorkingDirectory(text, MAX_PATH)) || e.workDir != text) return false;
    if (FAILED(link->GetDescription(text, MAX_PATH)) || e.desc != text) return false;
    int index = -1;
    if (FAILED(link->GetIconLocation(text, MAX_PATH, &index)) || e.icon != text || index != 0)
        return false;
    WORD hotKey = 1;
    int show = 0;
    return SUCCEEDED(link->GetHotkey(&hotKey)) && hotKey == 0 &&
           SUCCEEDED(link->GetShowCmd(&show)) && show != SW_SHOWMAXIMIZED &&
           show != SW_SHOWMINNOACTIVE;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (__argc != 5) return 2;
    std::wstring app = __wargv[1];
    if (app.back() != L'\\') app += L'\\';
    const std::wstring templatesDir = __wargv[2];
    const std::wstring desktop = __wargv[3];
    const std::wstring word = __wargv[4];
    if (FAILED(CoInitialize(nullptr))) return 2;

    int differences = 0;
    WIN32_FIND_DATAW found{};
    const std::wstring configs = app + L"Configs\\";
    ScopedWin::UniqueFind search(FindFirstFileExW((configs + L"*.cfg").c_str(), FindExInfoBasic,
                                                  &found, FindExSearchNameMatch, nullptr,
                                                  FIND_FIRST_EX_LARGE_FETCH));
    if (search) {
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            const std::wstring cfg = configs + found.cFileName;
            const std::wstring templateFile = Value(cfg, L"TemplateFile");
            const std::wstring shortcut = Value(cfg, L"ShortcutName");
            const std::wstring desc = Value(cfg, L"ShortcutDesc");
            const std::wstring iconFile = Value(cfg, L"ShortcutIcon");
            if (!SameFile(app + L"Templates\\" + templateFile, templatesDir + L"\\" + templateFile))
                ++differences;
            if (shortcut.empty()) continue;
            std::wstring icon = word;
            if (!iconFile.empty()) {
                icon = templatesDir + L"\\" + iconFile;
                if (!SameFile(app + L"AltIcons\\" + iconFile, icon)) ++differences;
            }
            if (!SameLink(desktop + L"\\" + shortcut + L".lnk",
                          {word, L"/t\"" + templateFile + L"\"", templatesDir, desc, icon}))
                ++differences;
        } while (FindNextFileW(search.get(), &found));
    }
    CoUninitialize();
    return differences ? 1 : 0;
}
