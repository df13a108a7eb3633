// dbgcap: starts a program as a debuggee and records every string it sends to the
// debugger, exactly as sent.
//
//   dbgcap [--env NAME=VALUE]... [--cwd DIR] [--timeout MS] [--pidfile FILE] [--stdout FILE]
//          [--raw TAIL | --rawhex HEX | --cmdline FULL | --cmdlinehex HEX]
//          OUTFILE PROGRAM [ARGS...]
//
// The child's command line is PROGRAM in double quotes followed by the ARGS, each
// quoted where it needs it; with --raw the tail after the quoted PROGRAM and one blank
// is TAIL, character for character (no blank at all when TAIL is empty); --cmdline
// replaces the whole command line. The ...hex forms take the text as UTF-8 in hex digits, so that
// no layer of quoting between the caller and this program can change it.
//
// OUTFILE gets one record per debug string: a kind byte ('A' for the ANSI form, 'W'
// for the UTF-16 form), the payload length in bytes as a 4-byte little-endian number,
// then the payload (ANSI bytes, or UTF-16LE code units, without the terminating
// zero). Records are written as they arrive, so a killed run leaves what it had.
//
// --stdout hands the child FILE, made anew, as its standard output handle.
//
// Exit code: the child's, 124 when --timeout ran out (the child is killed), 125 when
// the child could not be started or the arguments are wrong.
#include "ToolIo.h"
#include "support/ScopedWin.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using ScopedWin::UniqueFile;
using ScopedWin::UniqueHandle;

constexpr int kExitTimeout = 124;
constexpr int kExitUsage = 125;
constexpr DWORD kPrintException = 0x40010006;     // DBG_PRINTEXCEPTION_C
constexpr DWORD kPrintExceptionWide = 0x4001000A; // DBG_PRINTEXCEPTION_WIDE_C
constexpr SIZE_T kMaxString = 64u << 20;

int Usage(const std::string& why) {
    toolio::Err("dbgcap: " + why);
    toolio::Err("usage: dbgcap [--env NAME=VALUE]... [--cwd DIR] [--timeout MS] [--pidfile FILE]"
                " [--raw TAIL|--rawhex HEX|--cmdline FULL|--cmdlinehex HEX] OUTFILE PROGRAM "
                "[ARGS...]");
    return kExitUsage;
}

// Reads a zero-terminated string of unitSize-byte units from the debuggee, page by
// page, so that a string ending just before an unreadable page is still read whole.
std::string ReadRemoteString(HANDLE process, ULONG_PTR address, SIZE_T unitSize) {
    std::string bytes;
    std::string unit;
    char chunk[4096];
    while (bytes.size() < kMaxString) {
        const SIZE_T toPageEnd = 4096 - (address % 4096);
        SIZE_T got = 0;
        if (!ReadProcessMemory(process, reinterpret_cast<LPCVOID>(address), chunk, toPageEnd,
                               &got) ||
            got == 0)
            break;
        for (SIZE_T i = 0; i < got; ++i) {
            unit += chunk[i];
            if (unit.size() < unitSize) continue;
            if (unit.find_first_not_of('\0') == std::string::npos) return bytes;
            bytes += unit;
            unit.clear();
        }
        address += got;
    }
    return bytes;
}

class Recorder {
  public:
    explicit Recorder(const std::wstring& path)
        : file_(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    bool ok() const { return static_cast<bool>(file_); }
    void Add(char kind, const std::string& payload) {
        std::string record(1, kind);
        const auto n = static_cast<DWORD>(payload.size());
        for (int i = 0; i < 4; ++i)
            record += static_cast<char>((n >> (8 * i)) & 0xFF);
        record += payload;
        DWORD written = 0;
        WriteFile(file_.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    }

  private:
    UniqueFile file_;
};

struct Options {
    std::vector<std::wstring> env;
    std::wstring cwd;
    std::wstring stdoutFile; // the child's standard output, as a script's "> FILE" gives it
    DWORD timeoutMs = INFINITE;
    std::wstring pidFile;
    bool haveTail = false, haveFull = false;
    std::wstring tail, full;
    std::wstring outFile, program;
    std::vector<std::wstring> args;
};

bool TakeText(const std::wstring& opt, const std::wstring& value, std::wstring& into) {
    if (opt.size() > 3 && opt.compare(opt.size() - 3, 3, L"hex") == 0) {
        std::string bytes;
        if (!toolio::FromHex(value, bytes)) return false;
        into = toolio::FromUtf8(bytes);
    } else {
        into = value;
    }
    return true;
}

// Returns an empty string on success, else the complaint.
std::string ParseOptions(int argc, wchar_t** argv, Options& o) {
    int i = 1;
    for (; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (a.rfind(L"--", 0) != 0) break;
        if (i + 1 >= argc) return "option without value: " + toolio::Utf8(a);
        const std::wstring v = argv[++i];
        if (a == L"--env") {
            if (v.find(L'=') == std::wstring::npos || v[0] == L'=') return "--env needs NAME=VALUE";
            o.env.push_back(v);
        } else if (a == L"--stdout") {
            o.stdoutFile = v;
        } else if (a == L"--cwd") {
            o.cwd = v;
        } else if (a == L"--timeout") {
            o.timeoutMs = static_cast<DWORD>(_wtoi(v.c_str()));
        } else if (a == L"--pidfile") {
            o.pidFile = v;
        } else if (a == L"--raw" || a == L"--rawhex") {
            if (!TakeText(a, v, o.tail)) return "bad hex";
            o.haveTail = true;
        } else if (a == L"--cmdline" || a == L"--cmdlinehex") {
            if (!TakeText(a, v, o.full)) return "bad hex";
            o.haveFull = true;
        } else {
            return "unknown option " + toolio::Utf8(a);
        }
    }
    if (argc - i < 2) return "OUTFILE and PROGRAM are required";
    o.outFile = argv[i++];
    o.program = argv[i++];
    for (; i < argc; ++i)
        o.args.push_back(argv[i]);
    if ((o.haveTail || o.haveFull) && !o.args.empty()) return "ARGS cannot follow a raw tail";
    if (o.haveTail && o.haveFull) return "--raw and --cmdline exclude each other";
    return {};
}

std::wstring BuildCommandLine(const Options& o) {
    if (o.haveFull) return o.full;
    // The program path is always quoted, as the shell does when it starts a program.
    std::wstring cmd = L"\"" + o.program + L"\"";
    if (o.haveTail) {
        if (!o.tail.empty()) cmd += L" " + o.tail;
        return cmd;
    }
    for (const auto& a : o.args)
        cmd += L" " + toolio::QuoteArg(a);
    return cmd;
}

void WritePidFile(const std::wstring& path, DWORD pid) {
    UniqueFile f(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    const std::string text = std::to_string(pid) + "\n";
    DWORD written = 0;
    if (f) WriteFile(f.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// Runs the debug loop until the debuggee has exited; returns its exit code.
int DebugLoop(HANDLE process, Recorder& rec, DWORD timeoutMs) {
    // The Ex form asks for the UTF-16 form of strings sent with OutputDebugStringW;
    // systems without it send their ANSI conversion.
    using WaitFn = BOOL(WINAPI*)(LPDEBUG_EVENT, DWORD);
    auto waitForEvent = reinterpret_cast<WaitFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "WaitForDebugEventEx")));
    if (!waitForEvent) waitForEvent = WaitForDebugEvent;
    const ULONGLONG deadline =
        timeoutMs == INFINITE ? ~0ULL : GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    bool sawInitialBreak = false, timedOut = false;
    for (;;) {
        DEBUG_EVENT ev{};
        const ULONGLONG now = GetTickCount64();
        if (!timedOut && now >= deadline) {
            timedOut = true;
            TerminateProcess(process, kExitTimeout);
        }
        const DWORD wait =
            timedOut ? 1000 : static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 500));
        if (!waitForEvent(&ev, wait)) continue;
        DWORD status = DBG_CONTINUE;
        switch (ev.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (ev.u.CreateProcessInfo.hFile) CloseHandle(ev.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (ev.u.LoadDll.hFile) CloseHandle(ev.u.LoadDll.hFile);
            break;
        case OUTPUT_DEBUG_STRING_EVENT: {
            const auto& s = ev.u.DebugString;
            const bool wide = s.fUnicode != 0;
            rec.Add(wide ? 'W' : 'A',
                    ReadRemoteString(process, reinterpret_cast<ULONG_PTR>(s.lpDebugStringData),
                                     wide ? 2 : 1));
            break;
        }
        case EXCEPTION_DEBUG_EVENT: {
            const auto& x = ev.u.Exception.ExceptionRecord;
            if (x.ExceptionCode == EXCEPTION_BREAKPOINT && !sawInitialBreak) {
                sawInitialBreak = true; // the loader's break-in
            } else if ((x.ExceptionCode == kPrintException ||
                        x.ExceptionCode == kPrintExceptionWide) &&
                       x.NumberParameters >= 2) {
                // A debug string presented as its exception: take it here, so that the
                // sender does not fall back to another form of the same string.
                const bool wide = x.ExceptionCode == kPrintExceptionWide;
                rec.Add(wide ? 'W' : 'A',
                        ReadRemoteString(process, x.ExceptionInformation[1], wide ? 2 : 1));
            } else {
                status = DBG_EXCEPTION_NOT_HANDLED;
            }
            break;
        }
        case EXIT_PROCESS_DEBUG_EVENT: {
            const DWORD code = ev.u.ExitProcess.dwExitCode;
            ContinueDebugEvent(ev.dwProcessId, ev.dwThreadId, DBG_CONTINUE);
            return timedOut ? kExitTimeout : static_cast<int>(code);
        }
        default:
            break;
        }
        ContinueDebugEvent(ev.dwProcessId, ev.dwThreadId, status);
    }
}

} // namespace

int wmain() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return Usage("cannot read the command line");
    Options o;
    const std::string complaint = ParseOptions(argc, argv, o);
    LocalFree(argv);
    if (!complaint.empty()) return Usage(complaint);

    for (const auto& kv : o.env) {
        const size_t eq = kv.find(L'=');
        SetEnvironmentVariableW(kv.substr(0, eq).c_str(), kv.substr(eq + 1).c_str());
    }
    Recorder rec(o.outFile);
    if (!rec.ok()) return Usage("cannot create " + toolio::Utf8(o.outFile));

    std::wstring cmd = BuildCommandLine(o);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    HANDLE out = nullptr;
    if (!o.stdoutFile.empty()) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        out = CreateFileW(o.stdoutFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (out == INVALID_HANDLE_VALUE) return Usage("cannot create the --stdout file");
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = out;
    }
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(o.program.c_str(), cmd.data(), nullptr, nullptr, out != nullptr,
                        DEBUG_ONLY_THIS_PROCESS, nullptr, o.cwd.empty() ? nullptr : o.cwd.c_str(),
                        &si, &pi)) {
        return Usage("cannot start " + toolio::Utf8(o.program) + ", error " +
                     std::to_string(GetLastError()));
    }
    UniqueHandle process(pi.hProcess), thread(pi.hThread), output(out);
    if (!o.pidFile.empty()) WritePidFile(o.pidFile, pi.dwProcessId);
    return DebugLoop(process.get(), rec, o.timeoutMs);
}
