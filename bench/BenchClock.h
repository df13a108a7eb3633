#pragma once
// Timing and reporting shared by the benchmark programs. Each program prints its
// figures as lines "<label> v1 v2 ..."; bench/report.py reads them.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace bench {

inline double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / ticksPerMs;
}

// Runs `op` `warmups` times unmeasured, then `runs` times with the clock around
// each call alone.
template <class Op> std::vector<double> Repeat(int warmups, int runs, Op&& op) {
    for (int i = 0; i < warmups; ++i)
        op();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double t0 = NowMs();
        op();
        times.push_back(NowMs() - t0);
    }
    return times;
}

inline void PrintValues(const char* label, const std::vector<double>& values) {
    std::printf("%s", label);
    for (double v : values)
        std::printf(" %.3f", v);
    std::printf("\n");
}

inline std::string ToUtf8(const std::wstring& s) {
    if (s.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

// One path a line, UTF-8, so that two searches can be compared with diff.
inline bool WriteList(const std::wstring& file, const std::vector<std::wstring>& paths) {
    FILE* f = _wfopen(file.c_str(), L"wb");
    if (!f) return false;
    for (const auto& p : paths)
        std::fprintf(f, "%s\n", ToUtf8(p).c_str());
    std::fclose(f);
    return true;
}

inline int ToInt(const wchar_t* s) {
    return static_cast<int>(std::wcstol(s, nullptr, 10));
}

} // namespace bench
