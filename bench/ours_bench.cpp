// The program's own startup search, timed call by call:
//
//   bench_ours locate SYSTEMDRIVE WARMUPS RUNS
//       Module1::LocateWordExe with "systemdrive" pointing at SYSTEMDRIVE (the value
//       is only put in front of "\Program Files\...", so any folder serves as root).
//   bench_ours find FOLDER PATTERNS WARMUPS RUNS LISTFILE
//       CommonModule::FindFiles with recursion; writes its hits to LISTFILE.
#include "BenchClock.h"
#include "core/Module1.h"
#include "support/Collection.h"
#include "support/FileSearch.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"locate" && argc == 5) {
        SetEnvironmentVariableW(L"systemdrive", argv[2]);
        std::wstring found;
        const auto times = bench::Repeat(bench::ToInt(argv[3]), bench::ToInt(argv[4]),
                                         [&] { found = Module1::LocateWordExe(); });
        bench::PrintValues("times_ms", times);
        std::printf("info found=%s\n", bench::ToUtf8(found).c_str());
        return found.empty() ? 1 : 0;
    }
    if (mode == L"find" && argc == 7) {
        Collection hits;
        const auto times = bench::Repeat(bench::ToInt(argv[4]), bench::ToInt(argv[5]), [&] {
            CommonModule::FindFiles(argv[2], argv[3], hits, true);
        });
        bench::PrintValues("times_ms", times);
        std::vector<std::wstring> paths(hits.begin(), hits.end());
        std::printf("info hits=%zu\n", paths.size());
        return bench::WriteList(argv[6], paths) ? 0 : 1;
    }
    std::fprintf(stderr, "usage: bench_ours locate SYSTEMDRIVE WARMUPS RUNS\n"
                         "       bench_ours find FOLDER PATTERNS WARMUPS RUNS LISTFILE\n");
    return 2;
}
