// A stand-in for Word's executable, and built under their names for Excel's and
// PowerPoint's: notes how it was started and ends at once. Each start appends one
// record to <its own name>.calls.txt beside the executable (WINWORD.calls.txt; UTF-8):
//
//   cmdline=<the full command line>
//   cwd=<the current folder>
//   --
//
// CR and LF inside a value are written as \r and \n, and a backslash before them is
// left alone (paths are full of backslashes), so every record is exactly three lines.
#include "ToolIo.h"
#include "support/ScopedWin.h"

#include <windows.h>

#include <string>

namespace {

std::wstring OneLine(const std::wstring& value) {
    std::wstring out;
    for (wchar_t c : value) {
        if (c == L'\r')
            out += L"\\r";
        else if (c == L'\n')
            out += L"\\n";
        else
            out += c;
    }
    return out;
}

// The executable's own path without its ".EXE".
std::wstring OwnStem() {
    std::wstring path(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(n);
    return path.substr(0, path.find_last_of(L'.'));
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::wstring cwd(32768, L'\0');
    cwd.resize(GetCurrentDirectoryW(static_cast<DWORD>(cwd.size()), cwd.data()));
    const std::string record = toolio::Utf8(L"cmdline=" + OneLine(GetCommandLineW()) + L"\ncwd=" +
                                            OneLine(cwd) + L"\n--\n");
    const std::wstring log = OwnStem() + L".calls.txt";
    ScopedWin::UniqueFile f(CreateFileW(log.c_str(), FILE_APPEND_DATA,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) return 1;
    DWORD written = 0;
    return WriteFile(f.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr)
               ? 0
               : 1;
}
