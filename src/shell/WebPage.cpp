#include "shell/WebPage.h"

#include <windows.h>
#include <shellapi.h>

#include "shell/ComInit.h"

namespace CommonModule {

void OpenWebPage(const std::wstring& strWebPage) {
    // Some protocol handlers are COM servers; the shell expects COM on this thread.
    ShellCom::EnsureInitialized();
    // The help link is a convenience: when nothing opens it, the user simply sees
    // no browser, so the shell's answer is not looked at.
    ShellExecuteW(nullptr, nullptr, strWebPage.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace CommonModule
