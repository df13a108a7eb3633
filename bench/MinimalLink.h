#pragma once
// A shortcut saved the shortest way: IShellLinkW, the fields Dorvane sets, Save.
#include "support/ScopedWin.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

namespace bench {

inline bool SaveShortcut(const std::wstring& linkFile, const std::wstring& target,
                         const std::wstring& iconFile, const std::wstring& workDir,
                         const std::wstring& arguments, const std::wstring& description) {
    ScopedWin::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.put_void())))
        return false;
    link->SetPath(target.c_str());
    link->SetIconLocation(iconFile.c_str(), 0);
    link->SetShowCmd(SW_SHOW);
    link->SetWorkingDirectory(workDir.c_str());
    link->SetArguments(arguments.c_str());
    link->SetDescription(description.c_str());
    ScopedWin::ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) return false;
    return SUCCEEDED(file->Save(linkFile.c_str(), FALSE));
}

} // namespace bench
