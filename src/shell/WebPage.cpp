#include "shell/WebPage.h"

#include <windows.h>
#include <shellapi.h>

#include "shell/ComInit.h"
#include "support/Text.h"

namespace CommonModule {

void OpenWebPage(const std::wstring& strWebPage) {
    // Some protocol handlers are COM servers; the shell expects COM on this thread.
    ShellCom::EnsureInitialized();
    const std::string address = Text::ToAnsi(strWebPage);
    // The help link is a convenience: when nothing opens it, the user simply sees
    // no browser, so the shell's answer is not looked at.
    ShellExecuteA(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace CommonModule
