// Starts programs again and again and measures each whole process from the outside:
// wall time from CreateProcess to the end of the process, or the peak working set.
//
//   bench_launch [--peak] WARMUPS RUNS -- COMMAND LINE [-- COMMAND LINE]...
//
// Each part after " -- " is one child's command line, unchanged. A round starts every
// command once, in order, so that whatever else the machine does falls on all of
// them alike. Children inherit the environment and get NUL as their standard handles.
// Prints, for the n-th command, "wall_ms.n ..." (with --peak "peak_kib.n ...") and
// "exit.n ...", one value per measured round.
//
// Peak working set: the child's PeakWorkingSetSize (GetProcessMemoryInfo). Under
// Wine that figure is the Unix process's resident high-water mark, which is gone
// once the process has ended, so with --peak the launcher samples it while the
// child runs (the wait wakes every millisecond) and keeps the highest reading; the
// high-water mark only grows, so that is the peak up to the last millisecond or so.
// The sampling costs the child CPU time, so wall times come from runs without it.
#include "BenchClock.h"
#include "support/ScopedWin.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct RunResult {
    double wallMs = 0;
    double peakKib = 0;
    DWORD exitCode = 0;
    bool started = false;
};

SIZE_T PeakWorkingSet(HANDLE process) {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof(pmc);
    return GetProcessMemoryInfo(process, &pmc, sizeof(pmc)) ? pmc.PeakWorkingSetSize : 0;
}

RunResult RunOnce(const std::wstring& commandLine, HANDLE nul, bool samplePeak) {
    RunResult r;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = si.hStdOutput = si.hStdError = nul;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = commandLine; // CreateProcessW may write into it
    const double t0 = bench::NowMs();
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
        return r;
    const ScopedWin::UniqueHandle process(pi.hProcess);
    const ScopedWin::UniqueHandle thread(pi.hThread);
    SIZE_T peak = 0;
    if (samplePeak) {
        while (WaitForSingleObject(process.get(), 1) == WAIT_TIMEOUT) {
            if (const SIZE_T now = PeakWorkingSet(process.get()); now > peak) peak = now;
        }
    } else {
        WaitForSingleObject(process.get(), INFINITE);
    }
    r.wallMs = bench::NowMs() - t0;
    if (const SIZE_T last = PeakWorkingSet(process.get()); last > peak) peak = last;
    r.peakKib = static_cast<double>(peak) / 1024.0;
    GetExitCodeProcess(process.get(), &r.exitCode);
    r.started = true;
    return r;
}

std::vector<std::wstring> CommandLines(const wchar_t* raw) {
    std::vector<std::wstring> commands;
    const wchar_t* sep = std::wcsstr(raw, L" -- ");
    while (sep) {
        const wchar_t* start = sep + 4;
        sep = std::wcsstr(start, L" -- ");
        commands.emplace_back(start, sep ? static_cast<size_t>(sep - start) : std::wcslen(start));
    }
    return commands;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    int i = 1;
    const bool samplePeak = argc > 1 && std::wcscmp(argv[1], L"--peak") == 0;
    if (samplePeak) ++i;
    const std::vector<std::wstring> commands = CommandLines(GetCommandLineW());
    if (commands.empty() || i + 2 > argc) {
        std::fprintf(stderr,
                     "usage: bench_launch [--peak] WARMUPS RUNS -- COMMAND [-- COMMAND]...\n");
        return 2;
    }
    const int warmups = bench::ToInt(argv[i]);
    const int runs = bench::ToInt(argv[i + 1]);

    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    const ScopedWin::UniqueFile nul(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                                                OPEN_EXISTING, 0, nullptr));

    std::vector<std::vector<double>> values(commands.size()), exits(commands.size());
    for (int round = 0; round < warmups + runs; ++round) {
        for (size_t c = 0; c < commands.size(); ++c) {
            const RunResult r = RunOnce(commands[c], nul.get(), samplePeak);
            if (!r.started) {
                std::fprintf(stderr, "bench_launch: cannot start %ls (error %lu)\n",
                             commands[c].c_str(), GetLastError());
                return 1;
            }
            if (round < warmups) continue;
            values[c].push_back(samplePeak ? r.peakKib : r.wallMs);
            exits[c].push_back(static_cast<double>(r.exitCode));
        }
    }
    for (size_t c = 0; c < commands.size(); ++c) {
        const std::string n = std::to_string(c + 1);
        bench::PrintValues(((samplePeak ? "peak_kib." : "wall_ms.") + n).c_str(), values[c]);
        bench::PrintValues(("exit." + n).c_str(), exits[c]);
    }
    return 0;
}
