#pragma once
// The shortest way to check what an install left: a file against its installed copy
// by size and last-write time, a shortcut's fields through IShellLinkW.
#include "support/ScopedWin.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

namespace bench {

inline std::wstring IniValue(const std::wstring& file, const wchar_t* key) {
    wchar_t buffer[MAX_PATH] = {};
    GetPrivateProfileStringW(L"Config", key, L"", buffer, MAX_PATH, file.c_str());
    return buffer;
}

inline bool SameFile(const std::wstring& a, const std::wstring& b) {
    WIN32_FILE_ATTRIBUTE_DATA x{}, y{};
    if (!GetFileAttributesExW(a.c_str(), GetFileExInfoStandard, &x) ||
        !GetFileAttributesExW(b.c_str(), GetFileExInfoStandard, &y))
        return false;
    if ((x.dwFileAttributes | y.dwFileAttributes) & FILE_ATTRIBUTE_DIRECTORY) return false;
    return x.nFileSizeLow == y.nFileSizeLow && x.nFileSizeHigh == y.nFileSizeHigh &&
           CompareFileTime(&x.ftLastWriteTime, &y.ftLastWriteTime) == 0;
}

struct LinkFields {
    std::wstring target, args, workDir, desc, icon;
};

// Icon index 0, no hot key, a show command that starts the program normally.
inline bool SameLink(const std::wstring& file, const LinkFields& e) {
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

} // namespace bench
