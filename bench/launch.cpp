// Starts a program again and again and measures each whole process from the
// outside: wall time from CreateProcess to the end of the process, and the peak
// working set of the child.
//
//   bench_launch [--peak] WARMUPS RUNS -- COMMAND LINE
//
// Everything after " -- " is the child's command line, unchanged. The child inherits
// the environment and gets NUL as its standard handles.
// Prints "wall_ms ..." (or, with --peak, "peak_kib ...") and "exit ...", one value
// per measured run.
//
// Peak working set: the child's PeakWorkingSetSize (GetProcessMemoryInfo). Under
// Wine that figure is the Unix process's resident high-water mark, which is gone
// once the process has ended, so with --peak the launcher samples it while the
// child runs (the wait wakes every millisecond) and keeps the highest reading; the
// high-water mark only grows, so that is the peak up to the last millisecond or so.
// The sampling costs the child CPU time, so wall times come from runs without it.
#include "BenchClock.h"

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
    SIZE_T peak = 0;
    if (samplePeak) {
        while (WaitForSingleObject(pi.hProcess, 1) == WAIT_TIMEOUT) {
            if (const SIZE_T now = PeakWorkingSet(pi.hProcess); now > peak) peak = now;
        }
    } else {
        WaitForSingleObject(pi.hProcess, INFINITE);
    }
    r.wallMs = bench::NowMs() - t0;
    if (const SIZE_T last = PeakWorkingSet(pi.hProcess); last > peak) peak = last;
    r.peakKib = static_cast<double>(peak) / 1024.0;
    GetExitCodeProcess(pi.hProcess, &r.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    r.started = true;
    return r;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const wchar_t* raw = GetCommandLineW();
    const wchar_t* sep = std::wcsstr(raw, L" -- ");
    int i = 1;
    const bool samplePeak = argc > 1 && std::wcscmp(argv[1], L"--peak") == 0;
    if (samplePeak) ++i;
    if (!sep || i + 2 > argc) {
        std::fprintf(stderr, "usage: bench_launch [--peak] WARMUPS RUNS -- COMMAND\n");
        return 2;
    }
    const int warmups = bench::ToInt(argv[i]);
    const int runs = bench::ToInt(argv[i + 1]);
    const std::wstring commandLine = sep + 4;

    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr);

    std::vector<double> wall, peak, exits;
    for (int run = 0; run < warmups + runs; ++run) {
        const RunResult r = RunOnce(commandLine, nul, samplePeak);
        if (!r.started) {
            std::fprintf(stderr, "bench_launch: cannot start %ls (error %lu)\n",
                         commandLine.c_str(), GetLastError());
            return 1;
        }
        if (run < warmups) continue;
        wall.push_back(r.wallMs);
        peak.push_back(r.peakKib);
        exits.push_back(static_cast<double>(r.exitCode));
    }
    CloseHandle(nul);
    bench::PrintValues(samplePeak ? "peak_kib" : "wall_ms", samplePeak ? peak : wall);
    bench::PrintValues("exit", exits);
    return 0;
}
