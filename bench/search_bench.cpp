// The startup search next to what it is measured against, in rounds: each round
// runs every search once, so that whatever else the machine does falls on all of
// them alike.
//
//   bench_search all FOLDER DRIVE PATTERNS WARMUPS RUNS LISTDIR
//       floor    the least a recursive search can do: one listing of every folder
//                that is not hidden, nothing else;
//       literal  the plain search, call for call: per pattern a
//                listing of files (hidden and system ones included), then a "*.*"
//                listing per folder whose hidden and system entries are dropped, an
//                attribute query for every entry to tell folders, the subfolders
//                gathered before the first is entered, the ANSI forms of the calls,
//                a keyed collection, and pending window messages run after each
//                pattern and each subfolder;
//       locate   Module1::LocateWordExe with "systemdrive" set to DRIVE (the value
//                is only put in front of "\Program Files\...");
//       find     CommonModule::FindFiles(FOLDER, PATTERNS, recursive);
//       word     the same for "winword.exe" alone, what the startup search once was.
//       Prints "times_ms.<name> ..." and writes the hits of literal and find to
//       LISTDIR\list-literal.txt and LISTDIR\list-ours.txt.
//   bench_search compare FOLDER PATTERNS LISTDIR SUFFIX
//       one untimed literal search and one FindFiles, for comparing their lists.
#include "BenchClock.h"
#include "core/Module1.h"
#include "support/Collection.h"
#include "support/FileSearch.h"
#include "support/ScopedWin.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <iterator>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

constexpr DWORD kHiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool IsDots(const wchar_t* n) {
    return n[0] == L'.' && (!n[1] || (n[1] == L'.' && !n[2]));
}

struct FloorCounts {
    size_t folders = 0;
    size_t files = 0;
};

// `dir` ends with a backslash and comes back unchanged.
void FloorWalk(std::wstring& dir, FloorCounts& counts) {
    const size_t len = dir.size();
    dir += L'*';
    WIN32_FIND_DATAW fd;
    ScopedWin::UniqueFind find(FindFirstFileExW(dir.c_str(), FindExInfoBasic, &fd,
                                                FindExSearchNameMatch, nullptr,
                                                FIND_FIRST_EX_LARGE_FETCH));
    dir.resize(len);
    if (!find) return;
    ++counts.folders;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ++counts.files;
        } else if (!(fd.dwFileAttributes & kHiddenOrSystem) && !IsDots(fd.cFileName)) {
            dir += fd.cFileName;
            dir += L'\\';
            FloorWalk(dir, counts);
            dir.resize(len);
        }
    } while (FindNextFileW(find.get(), &fd));
}

// A collection keyed by its own text, keys without regard to letter case.
class KeyedList {
  public:
    bool Add(const std::string& item) {
        std::string key = item;
        CharLowerBuffA(key.data(), static_cast<DWORD>(key.size()));
        if (!keys_.insert(std::move(key)).second) return false;
        items_.push_back(item);
        return true;
    }
    const std::vector<std::string>& Items() const { return items_; }

  private:
    std::vector<std::string> items_;
    std::unordered_set<std::string> keys_;
};

void DoEvents() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::vector<std::string> SplitPatterns(const std::string& patterns) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t end = patterns.find(';', start);
        pieces.push_back(patterns.substr(start, end - start));
        if (end == std::string::npos) return pieces;
        start = end + 1;
    }
}

KeyedList LiteralInDir(std::string folder, const std::vector<std::string>& pieces, bool recurse) {
    KeyedList result;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    WIN32_FIND_DATAA fd;
    for (const auto& piece : pieces) {
        // Files of any attribute, no folders.
        ScopedWin::UniqueFind find(FindFirstFileA((folder + piece).c_str(), &fd));
        if (find) {
            do {
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    result.Add(folder + fd.cFileName);
            } while (FindNextFileA(find.get(), &fd));
        }
        DoEvents();
    }
    if (!recurse) return result;

    // Plain files and folders, no hidden or system entries; the attribute query
    // tells the folders.
    KeyedList subfolders;
    ScopedWin::UniqueFind find(FindFirstFileA((folder + "*.*").c_str(), &fd));
    if (find) {
        do {
            if (fd.dwFileAttributes & kHiddenOrSystem) continue;
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const DWORD attributes = GetFileAttributesA((folder + name).c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES) continue;
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) subfolders.Add(folder + name);
        } while (FindNextFileA(find.get(), &fd));
    }
    for (const auto& sub : subfolders.Items()) {
        const KeyedList below = LiteralInDir(sub, pieces, true);
        for (const auto& item : below.Items())
            result.Add(item);
        DoEvents();
    }
    return result;
}

std::string ToAnsi(const std::wstring& s) {
    const int n = WideCharToMultiByte(CP_ACP, 0, s.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, s.c_str(), -1, out.data(), n, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

std::wstring FromAnsi(const std::string& s) {
    const int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, out.data(), n);
    out.resize(out.size() - 1);
    return out;
}

std::vector<std::wstring> LiteralPaths(const KeyedList& hits) {
    std::vector<std::wstring> paths;
    for (const auto& item : hits.Items())
        paths.push_back(FromAnsi(item));
    return paths;
}

std::vector<std::wstring> OurPaths(const Collection& hits) {
    return std::vector<std::wstring>(hits.begin(), hits.end());
}

int Usage() {
    std::fprintf(stderr, "usage: bench_search all FOLDER DRIVE PATTERNS WARMUPS RUNS LISTDIR\n"
                         "       bench_search compare FOLDER PATTERNS LISTDIR SUFFIX\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    const std::wstring mode = argv[1];
    if (mode == L"all" && argc == 8) {
        std::wstring root = argv[2];
        if (root.back() != L'\\') root += L'\\';
        const std::string folder = ToAnsi(argv[2]);
        const std::wstring patterns = argv[4];
        const auto pieces = SplitPatterns(ToAnsi(patterns));
        const std::wstring listDir = argv[7];
        SetEnvironmentVariableW(L"systemdrive", argv[3]);

        FloorCounts counts;
        KeyedList literalHits;
        Collection ourHits;
        std::wstring found;
        const struct {
            const char* label;
            std::function<void()> op;
        } searches[] = {
            {"times_ms.floor",
             [&] {
                 counts = {};
                 FloorWalk(root, counts);
             }},
            {"times_ms.literal", [&] { literalHits = LiteralInDir(folder, pieces, true); }},
            {"times_ms.locate", [&] { found = Module1::LocateWordExe()[0]; }},
            {"times_ms.find", [&] { CommonModule::FindFiles(argv[2], patterns, ourHits, true); }},
            {"times_ms.word",
             [&] {
                 Collection hits;
                 CommonModule::FindFiles(argv[2], L"winword.exe", hits, true);
             }},
        };
        const int warmups = bench::ToInt(argv[5]);
        const int runs = bench::ToInt(argv[6]);
        std::vector<std::vector<double>> times(std::size(searches));
        for (int round = 0; round < warmups + runs; ++round) {
            for (size_t i = 0; i < std::size(searches); ++i) {
                const double t0 = bench::NowMs();
                searches[i].op();
                const double t = bench::NowMs() - t0;
                if (round >= warmups) times[i].push_back(t);
            }
        }
        for (size_t i = 0; i < std::size(searches); ++i)
            bench::PrintValues(searches[i].label, times[i]);
        std::printf("info folders=%zu\ninfo files=%zu\ninfo found=%s\n", counts.folders,
                    counts.files, bench::ToUtf8(found).c_str());
        const bool written =
            bench::WriteList(listDir + L"\\list-literal.txt", LiteralPaths(literalHits)) &&
            bench::WriteList(listDir + L"\\list-ours.txt", OurPaths(ourHits));
        return written && counts.folders && !found.empty() ? 0 : 1;
    }
    if (mode == L"compare" && argc == 6) {
        const std::wstring listDir = argv[4];
        const std::wstring suffix = argv[5];
        const KeyedList literalHits =
            LiteralInDir(ToAnsi(argv[2]), SplitPatterns(ToAnsi(argv[3])), true);
        Collection ourHits;
        CommonModule::FindFiles(argv[2], argv[3], ourHits, true);
        const bool written =
            bench::WriteList(listDir + L"\\list-literal" + suffix + L".txt",
                             LiteralPaths(literalHits)) &&
            bench::WriteList(listDir + L"\\list-ours" + suffix + L".txt", OurPaths(ourHits));
        return written ? 0 : 1;
    }
    return Usage();
}
