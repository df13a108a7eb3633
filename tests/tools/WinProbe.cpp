// winprobe: the other side of the harness's own tests, and a window into the prefix.
//
//   winprobe emit              sends a fixed set of debug strings, exits 42
//   winprobe msgbox FLAGS      shows a message box, exits with its answer
//   winprobe window            a small window with an edit box, a list, a check box
//                              and a button that reports their state as debug strings
//   winprobe folders           prints the user's folders as JSON lines
//   winprobe sleep MS          waits, exits 0
//   winprobe mklnk LNK TARGET [--args A] [--argshex HEX] [--workdir D] [--desc D]
//                  [--icon PATH] [--iconindex N] [--show N]
//                              writes a shell link
//   winprobe open FILE         opens a file the way Explorer does (ShellExecuteEx,
//                              default verb), exits 0 when the shell accepted it
//   winprobe hold FILE READY MS
//                              opens FILE with no sharing at all, creates the file READY
//                              to say so, and keeps FILE open until READY is deleted or
//                              MS milliseconds have passed; exits 1 when FILE cannot be
//                              opened
//   winprobe spawn CMDLINEHEX MS
//                              starts the exact command line (UTF-8 in hex), without a
//                              debugger and without a console window, and exits with its
//                              exit code; 124 (and the child ended) when it ran longer
//                              than MS milliseconds
//   winprobe setdacl PATH SDDL sets the DACL of a file or folder from its SDDL form
//   winprobe write PATH TEXT   writes TEXT (as UTF-8) to PATH, which may name a stream
//                              ("file.dotm:Zone.Identifier")
#include "ToolIo.h"
#include "support/ScopedWin.h"

#include <windows.h>
#include <aclapi.h>
#include <objbase.h>
#include <sddl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace {

constexpr int kBadArgs = 2;

constexpr DWORD kProbeException = 0xE0D0BEEF;
bool gProbeHandled = false;

LONG CALLBACK CatchProbeException(EXCEPTION_POINTERS* x) {
    if (x->ExceptionRecord->ExceptionCode != kProbeException) return EXCEPTION_CONTINUE_SEARCH;
    gProbeHandled = true;
    return EXCEPTION_CONTINUE_EXECUTION;
}

// Everything a debug-output reader could get wrong: an empty string, a leading TAB,
// a string far longer than one buffer, ANSI bytes above 0x7F, the UTF-16 form, and a
// handled first-chance exception in between (the debugger must pass it on).
int Emit() {
    OutputDebugStringA("");
    OutputDebugStringA("\tTAB first");
    std::string longText;
    for (int i = 0; i < 5000; ++i)
        longText += static_cast<char>('0' + i % 10);
    OutputDebugStringA(longText.c_str());
    OutputDebugStringA("caf\xE9");
    OutputDebugStringW(L"wide \u00e9\u20ac");

    PVOID veh = AddVectoredExceptionHandler(1, CatchProbeException);
    RaiseException(kProbeException, 0, 0, nullptr);
    RemoveVectoredExceptionHandler(veh);
    OutputDebugStringA(gProbeHandled ? "exception reached the program" : "exception swallowed");

    OutputDebugStringW((std::wstring(L"cmdline=") + GetCommandLineW()).c_str());
    wchar_t buf[4096] = {};
    GetCurrentDirectoryW(4096, buf);
    OutputDebugStringW((std::wstring(L"cwd=") + buf).c_str());
    for (const wchar_t* name : {L"systemdrive", L"DORVANE_PROBE"}) {
        buf[0] = 0;
        const DWORD n = GetEnvironmentVariableW(name, buf, 4096);
        OutputDebugStringW((std::wstring(name) + L"=" + (n ? buf : L"<unset>")).c_str());
    }
    return 42;
}

int Folders() {
    const struct {
        const char* name;
        int csidl;
    } folders[] = {{"appdata", CSIDL_APPDATA}, {"desktop", CSIDL_DESKTOP}};
    for (const auto& f : folders) {
        ScopedWin::UniqueIdList pidl;
        LPITEMIDLIST raw = nullptr;
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, f.csidl, &raw))) {
            pidl.reset(raw);
            SHGetPathFromIDListW(pidl.get(), path);
        }
        toolio::Out(std::string("{\"name\":\"") + f.name + "\",\"path\":" + toolio::Json(path) +
                    "}");
    }
    return 0;
}

int MakeLink(const std::vector<std::wstring>& args) {
    if (args.size() < 4) return kBadArgs;
    const std::wstring& lnk = args[2];
    const std::wstring& target = args[3];
    std::wstring linkArgs, workDir, desc, icon;
    int iconIndex = 0, show = SW_SHOWNORMAL;
    for (size_t i = 4; i + 1 < args.size(); i += 2) {
        const std::wstring& k = args[i];
        const std::wstring& v = args[i + 1];
        if (k == L"--args")
            linkArgs = v;
        else if (k == L"--argshex") {
            std::string bytes;
            if (!toolio::FromHex(v, bytes)) return kBadArgs;
            linkArgs = toolio::FromUtf8(bytes);
        } else if (k == L"--workdir")
            workDir = v;
        else if (k == L"--desc")
            desc = v;
        else if (k == L"--icon")
            icon = v;
        else if (k == L"--iconindex")
            iconIndex = _wtoi(v.c_str());
        else if (k == L"--show")
            show = _wtoi(v.c_str());
        else
            return kBadArgs;
    }
    if (FAILED(CoInitialize(nullptr))) return 1;
    HRESULT hr = E_FAIL;
    {
        ScopedWin::ComPtr<IShellLinkW> link;
        ScopedWin::ComPtr<IPersistFile> file;
        hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              link.put_void());
        if (SUCCEEDED(hr)) hr = link->SetPath(target.c_str());
        if (SUCCEEDED(hr)) hr = link->SetArguments(linkArgs.c_str());
        if (SUCCEEDED(hr)) hr = link->SetWorkingDirectory(workDir.c_str());
        if (SUCCEEDED(hr)) hr = link->SetDescription(desc.c_str());
        if (SUCCEEDED(hr) && !icon.empty()) hr = link->SetIconLocation(icon.c_str(), iconIndex);
        if (SUCCEEDED(hr)) hr = link->SetShowCmd(show);
        if (SUCCEEDED(hr)) hr = link->QueryInterface(IID_IPersistFile, file.put_void());
        if (SUCCEEDED(hr)) hr = file->Save(lnk.c_str(), TRUE);
    }
    CoUninitialize();
    return SUCCEEDED(hr) ? 0 : 1;
}

// --- the small window -------------------------------------------------------------

enum : int { kEdit = 101, kList = 102, kReport = 103, kCheck = 104 };

void Report(HWND w) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(w, kEdit, text, 1024);
    OutputDebugStringW((std::wstring(L"edit=") + text).c_str());
    HWND list = GetDlgItem(w, kList);
    std::wstring sel;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0)
            sel += (sel.empty() ? L"" : L",") + std::to_wstring(i);
    OutputDebugStringW((L"selected=" + sel).c_str());
    OutputDebugStringW((L"check=" + std::to_wstring(IsDlgButtonChecked(w, kCheck))).c_str());
}

LRESULT CALLBACK ProbeProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE: {
        auto make = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int y, int id) {
            CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, y, 200, 24, w,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        };
        make(L"Edit", L"start", WS_BORDER | ES_AUTOHSCROLL, 10, kEdit);
        make(L"ListBox", L"", WS_BORDER | LBS_EXTENDEDSEL | LBS_NOTIFY, 40, kList);
        make(L"Button", L"&Flag", BS_AUTOCHECKBOX, 70, kCheck);
        make(L"Button", L"&Report", BS_PUSHBUTTON, 100, kReport);
        for (const wchar_t* item : {L"Alpha", L"Beta", L"Gamma"})
            SendDlgItemMessageW(w, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == kReport && HIWORD(wp) == BN_CLICKED) {
            Report(w);
            DestroyWindow(w);
        } else if (LOWORD(wp) == kList && HIWORD(wp) == LBN_SELCHANGE) {
            OutputDebugStringW(L"selchange");
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(w, msg, wp, lp);
    }
}

int Window() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"ProbeWindow";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, L"ProbeWindow", L"Probe Window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             CW_USEDEFAULT, CW_USEDEFAULT, 300, 200, nullptr, nullptr, wc.hInstance,
                             nullptr);
    if (!w) return 1;
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return 0;
}

// Wine hands back no process handle for a started link, so the caller polls for what
// the started program leaves behind instead of waiting here.
int Open(const std::wstring& file) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) ? 0 : 1;
}

int Hold(const std::wstring& file, const std::wstring& ready, DWORD ms) {
    ScopedWin::UniqueFile held(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                           FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!held) return 1;
    ScopedWin::UniqueFile(
        CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetFileAttributesW(ready.c_str()) != INVALID_FILE_ATTRIBUTES && GetTickCount64() < end)
        Sleep(50);
    return 0;
}

constexpr int kTimedOut = 124;

int Spawn(const std::wstring& hex, DWORD ms) {
    std::string bytes;
    if (!toolio::FromHex(hex, bytes)) return kBadArgs;
    std::wstring cmdline = toolio::FromUtf8(bytes);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmdline.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &si, &pi))
        return kBadArgs;
    ScopedWin::UniqueHandle process(pi.hProcess), thread(pi.hThread);
    if (WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, kTimedOut);
        return kTimedOut;
    }
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    return static_cast<int>(code);
}

int SetDacl(const std::wstring& path, const std::wstring& sddl) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &sd,
                                                              nullptr))
        return 1;
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    GetSecurityDescriptorDacl(sd, &present, &dacl, &defaulted);
    const DWORD status = SetNamedSecurityInfoW(const_cast<wchar_t*>(path.c_str()), SE_FILE_OBJECT,
                                               DACL_SECURITY_INFORMATION |
                                                   PROTECTED_DACL_SECURITY_INFORMATION,
                                               nullptr, nullptr, dacl, nullptr);
    LocalFree(sd);
    return status == ERROR_SUCCESS ? 0 : 2;
}

int Write(const std::wstring& path, const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), n, nullptr, nullptr);
    const ScopedWin::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                            nullptr))
        return 1;
    return 0;
}

} // namespace

int wmain() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return kBadArgs;
    std::vector<std::wstring> args(argv, argv + argc);
    LocalFree(argv);
    if (args.size() < 2) return kBadArgs;
    if (args[1] == L"emit") return Emit();
    if (args[1] == L"folders") return Folders();
    if (args[1] == L"sleep" && args.size() >= 3) {
        Sleep(static_cast<DWORD>(_wtoi(args[2].c_str())));
        return 0;
    }
    if (args[1] == L"window") return Window();
    if (args[1] == L"mklnk") return MakeLink(args);
    if (args[1] == L"open" && args.size() >= 3) return Open(args[2]);
    if (args[1] == L"hold" && args.size() >= 5)
        return Hold(args[2], args[3], static_cast<DWORD>(_wtoi(args[4].c_str())));
    if (args[1] == L"spawn" && args.size() >= 4)
        return Spawn(args[2], static_cast<DWORD>(_wtoi(args[3].c_str())));
    if (args[1] == L"setdacl" && args.size() >= 4) return SetDacl(args[2], args[3]);
    if (args[1] == L"write" && args.size() >= 4) return Write(args[2], args[3]);
    if (args[1] == L"msgbox" && args.size() >= 3)
        return MessageBoxW(nullptr, L"Probe text\nsecond line", L"Probe title",
                           static_cast<UINT>(wcstoul(args[2].c_str(), nullptr, 0)));
    return kBadArgs;
}
