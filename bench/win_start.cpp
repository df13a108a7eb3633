// Starts window programs again and again and measures, from the outside, the time
// from CreateProcess until the program's main window is visible; then closes it.
//
//   bench_winstart WARMUPS RUNS -- CLASS COMMAND LINE [-- CLASS COMMAND LINE]...
//
// Each part after " -- " names the window class to wait for, then the child's command
// line. A round starts every command once, in order. The window is looked for every
// millisecond among the top-level windows of that class; each look costs the measured
// program a little, and the same for every command. Prints "wall_ms.n ..." and
// "items.n ..." (the entries of the window's list box with id 1010 when it has one,
// else -1) per command, one value per measured round.
#include "BenchClock.h"
#include "support/ScopedWin.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kListId = 1010;

struct Command {
    std::wstring className;
    std::wstring commandLine;
};

struct RunResult {
    bool started = false;
    bool shown = false;
    double wallMs = 0;
    double items = -1;
};

HWND VisibleWindowOf(DWORD pid, const std::wstring& className) {
    for (HWND h = FindWindowExW(nullptr, nullptr, className.c_str(), nullptr); h;
         h = FindWindowExW(nullptr, h, className.c_str(), nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == pid && IsWindowVisible(h)) return h;
    }
    return nullptr;
}

RunResult RunOnce(const Command& c, HANDLE nul) {
    RunResult r;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = si.hStdOutput = si.hStdError = nul;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = c.commandLine;
    const double t0 = bench::NowMs();
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
        return r;
    r.started = true;
    const ScopedWin::UniqueHandle process(pi.hProcess);
    const ScopedWin::UniqueHandle thread(pi.hThread);
    HWND window = nullptr;
    while (!window) {
        window = VisibleWindowOf(pi.dwProcessId, c.className);
        if (window) break;
        if (WaitForSingleObject(process.get(), 1) != WAIT_TIMEOUT) break;
        if (bench::NowMs() - t0 > 60000) break;
    }
    r.wallMs = bench::NowMs() - t0;
    r.shown = window != nullptr;
    if (window) {
        if (HWND list = GetDlgItem(window, kListId))
            r.items = static_cast<double>(SendMessageW(list, LB_GETCOUNT, 0, 0));
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0)
        TerminateProcess(process.get(), 1);
    return r;
}

std::vector<Command> Commands(const wchar_t* raw) {
    std::vector<Command> commands;
    const wchar_t* sep = std::wcsstr(raw, L" -- ");
    while (sep) {
        const wchar_t* start = sep + 4;
        sep = std::wcsstr(start, L" -- ");
        const std::wstring part(start, sep ? static_cast<size_t>(sep - start) : std::wcslen(start));
        const size_t blank = part.find(L' ');
        if (blank == std::wstring::npos) return {};
        commands.push_back({part.substr(0, blank), part.substr(blank + 1)});
    }
    return commands;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<Command> commands = Commands(GetCommandLineW());
    if (commands.empty() || argc < 3) {
        std::fprintf(stderr, "usage: bench_winstart WARMUPS RUNS -- CLASS COMMAND [-- ...]\n");
        return 2;
    }
    const int warmups = bench::ToInt(argv[1]);
    const int runs = bench::ToInt(argv[2]);
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    const ScopedWin::UniqueFile nul(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                                                OPEN_EXISTING, 0, nullptr));
    std::vector<std::vector<double>> times(commands.size()), items(commands.size());
    for (int round = 0; round < warmups + runs; ++round) {
        for (size_t c = 0; c < commands.size(); ++c) {
            const RunResult r = RunOnce(commands[c], nul.get());
            if (!r.started || !r.shown) {
                std::fprintf(stderr, "bench_winstart: %ls %s\n", commands[c].commandLine.c_str(),
                             r.started ? "showed no window" : "did not start");
                return 1;
            }
            if (round < warmups) continue;
            times[c].push_back(r.wallMs);
            items[c].push_back(r.items);
        }
    }
    for (size_t c = 0; c < commands.size(); ++c) {
        const std::string n = std::to_string(c + 1);
        bench::PrintValues(("wall_ms." + n).c_str(), times[c]);
        bench::PrintValues(("items." + n).c_str(), items[c]);
    }
    return 0;
}
