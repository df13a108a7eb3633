#include "support/FileSearch.h"

#include "support/DebugLog.h"
#include "support/LiteralScreen.h"
#include "support/Probes.h"
#include "support/ScopedWin.h"
#include "support/Text.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

// Speed. The search for Word walks a whole Office tree at every start, before the
// window shows, so each folder should cost about one listing. Done literally, a
// folder costs one listing per pattern piece plus one for its subfolders; for a
// piece without wildcards such as "winword.exe" that extra listing is a lookup which
// misses in nearly every folder, yet under Wine a miss reads the whole folder again.
//
// So, when subfolders are searched anyway, the folder is read once ("*.*", which
// lists everything) and that one listing yields both the subfolders and, for each
// piece without wildcards, whether any entry could match it (LiteralScreen). A piece
// that might match is then listed by the platform exactly as before, so the names it
// yields, their letter case, their order and any short-name (8.3) matches come from
// the platform and not from us; a piece that cannot match would have yielded nothing.
// Pieces with wildcards are always listed by the platform. If the combined listing
// cannot be read to its end, the folder is searched the plain way, which also
// reports what it has to. Attributes come from the listing itself rather than from a
// second query per entry.
//
// The search does not let window messages run while it works.

namespace CommonModule {

namespace {

constexpr DWORD kLargeFetch = FIND_FIRST_EX_LARGE_FETCH;

// Listings that found nothing, as opposed to listings that failed.
bool IsNoMatch(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
}

bool IsDotEntry(const char* name) {
    return !strcmp(name, ".") || !strcmp(name, "..");
}

bool IsFolder(const WIN32_FIND_DATAA& fd) {
    return fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
}

// Hidden and system folders are not entered.
bool IsSearchedFolder(const WIN32_FIND_DATAA& fd) {
    return IsFolder(fd) && !(fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

struct Piece {
    std::wstring text;
    std::string ansi;
    bool screenable = false;
};

std::vector<Piece> SplitPatterns(const std::wstring& sPatterns) {
    std::vector<Piece> pieces;
    size_t start = 0;
    for (;;) {
        const size_t end = sPatterns.find(L';', start);
        Piece p;
        p.text = sPatterns.substr(start, end == std::wstring::npos ? end : end - start);
        p.ansi = Text::ToAnsi(p.text);
        p.screenable = LiteralScreen::IsScreenable(p.ansi);
        pieces.push_back(std::move(p));
        if (end == std::wstring::npos) return pieces;
        start = end + 1;
    }
}

// What one combined listing learnt about a folder.
struct FolderSnapshot {
    std::vector<std::string> subfolders; // listing order
    std::vector<bool> mayMatch;          // per piece; meaningful for screenable ones
};

// A path this short is accepted by every listing call, so screening a piece cannot
// hide a failure that listing it would have met.
constexpr size_t kScreenablePathLength = MAX_PATH - 12;

class Search {
  public:
    Search(const std::vector<Piece>& pieces, bool bRecurse, bool bReport)
        : pieces_(pieces), recurse_(bRecurse), report_(bReport) {}

    Collection Run(std::wstring sFolder) {
        if (sFolder.empty() || sFolder.back() != L'\\') sFolder += L'\\';
        path_ = std::move(sFolder);
        file_.clear();
        const std::string ansiFolder = Text::ToAnsi(path_);

        std::optional<FolderSnapshot> snapshot;
        if (recurse_ && AnyScreenable(ansiFolder)) snapshot = Snapshot(ansiFolder);

        Collection result;
        for (size_t i = 0; i < pieces_.size(); ++i) {
            const Piece& piece = pieces_[i];
            spec_ = piece.text;
            // Listing an empty piece would list the folder path itself.
            if (piece.text.empty()) continue;
            if (snapshot && Screened(ansiFolder, piece) && !snapshot->mayMatch[i]) continue;
            ListPiece(ansiFolder, piece, result);
        }
        if (!recurse_) return result;

        Collection subfolders;
        if (snapshot) {
            for (const std::string& name : snapshot->subfolders)
                AddSubfolder(subfolders, name);
        } else {
            ListSubfolders(ansiFolder, subfolders);
        }
        for (const std::wstring& sub : subfolders) {
            // Below the first level nothing is reported.
            Collection inner = Search(pieces_, true, false).Run(sub);
            for (const std::wstring& item : inner) {
                if (result.Add(item, item)) continue;
                file_ = item;
                Report(Collection::DuplicateKeyError());
            }
        }
        return result;
    }

  private:
    bool Screened(const std::string& ansiFolder, const Piece& piece) const {
        return piece.screenable && ansiFolder.size() + piece.ansi.size() <= kScreenablePathLength;
    }

    bool AnyScreenable(const std::string& ansiFolder) const {
        for (const Piece& piece : pieces_)
            if (Screened(ansiFolder, piece)) return true;
        return false;
    }

    // The six lines of one trapped failure.
    void Report(const ErrorInfo& error) const {
        if (!report_) return;
        DPrint(L"FindFiles:  " + error.description);
        DPrint(L"\tRecurseDirs:  " + ToText(recurse_));
        DPrint(L"\tPath:  " + path_);
        DPrint(L"\tFile:  " + file_);
        DPrint(L"\tSpec:  " + spec_);
        DPrint(L"\tbFSRedirDisabled:  " + ToText(bFSRedirDisabled));
    }

    // A failure to start is reported while the bracket is still open, which the
    // report's last line shows.
    ScopedWin::UniqueFind Start(const std::string& ansiPath, FINDEX_INFO_LEVELS level,
                                WIN32_FIND_DATAA& fd, bool bReportFailure, DWORD& error) {
        DisableFSRedir();
        ScopedWin::UniqueFind find(FindFirstFileExA(ansiPath.c_str(), level, &fd,
                                                    FindExSearchNameMatch, nullptr, kLargeFetch));
        error = find ? ERROR_SUCCESS : GetLastError();
        if (!find && bReportFailure && !IsNoMatch(error)) Report(Win32Error(error));
        RevertFSRedir();
        return find;
    }

    // Ends a listing: false at its normal end and, reported, when fetching failed.
    bool Next(HANDLE find, WIN32_FIND_DATAA& fd) {
        if (FindNextFileA(find, &fd)) return true;
        const DWORD error = GetLastError();
        if (error != ERROR_NO_MORE_FILES) Report(Win32Error(error));
        return false;
    }

    void ListPiece(const std::string& ansiFolder, const Piece& piece, Collection& result) {
        WIN32_FIND_DATAA fd;
        DWORD error = ERROR_SUCCESS;
        ScopedWin::UniqueFind find =
            Start(ansiFolder + piece.ansi, FindExInfoBasic, fd, true, error);
        if (!find) return;
        do {
            if (IsFolder(fd)) continue;
            file_ = Text::FromAnsi(fd.cFileName);
            std::wstring item = path_ + file_;
            if (!result.Add(item, item)) Report(Collection::DuplicateKeyError());
        } while (Next(find.get(), fd));
        file_.clear();
    }

    void AddSubfolder(Collection& subfolders, const std::string& ansiName) {
        file_ = Text::FromAnsi(ansiName);
        std::wstring sub = path_ + file_;
        if (!subfolders.Add(sub, sub)) Report(Collection::DuplicateKeyError());
    }

    void ListSubfolders(const std::string& ansiFolder, Collection& subfolders) {
        WIN32_FIND_DATAA fd;
        DWORD error = ERROR_SUCCESS;
        ScopedWin::UniqueFind find = Start(ansiFolder + "*.*", FindExInfoBasic, fd, true, error);
        if (!find) return;
        do {
            if (!IsDotEntry(fd.cFileName) && IsSearchedFolder(fd))
                AddSubfolder(subfolders, fd.cFileName);
        } while (Next(find.get(), fd));
    }

    // The combined listing. Nothing here is reported: on any failure the folder is
    // searched the plain way, which meets and reports the failure itself.
    std::optional<FolderSnapshot> Snapshot(const std::string& ansiFolder) {
        FolderSnapshot snap;
        snap.mayMatch.assign(pieces_.size(), false);
        WIN32_FIND_DATAA fd;
        DWORD error = ERROR_SUCCESS;
        // The standard level, for the short names the screen needs.
        ScopedWin::UniqueFind find =
            Start(ansiFolder + "*.*", FindExInfoStandard, fd, false, error);
        if (!find) {
            if (IsNoMatch(error)) return snap;
            return std::nullopt;
        }
        do {
            if (IsDotEntry(fd.cFileName)) continue;
            if (IsSearchedFolder(fd)) snap.subfolders.emplace_back(fd.cFileName);
            if (IsFolder(fd)) continue;
            for (size_t i = 0; i < pieces_.size(); ++i)
                if (!snap.mayMatch[i] && pieces_[i].screenable)
                    snap.mayMatch[i] = LiteralScreen::MayMatch(pieces_[i].ansi, fd.cFileName,
                                                               fd.cAlternateFileName);
        } while (FindNextFileA(find.get(), &fd));
        if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
        return snap;
    }

    const std::vector<Piece>& pieces_;
    const bool recurse_;
    const bool report_;
    // What the report shows: the folder, the entry and the piece in hand.
    std::wstring path_;
    std::wstring file_;
    std::wstring spec_;
};

} // namespace

void FindFiles(std::wstring sFolder, std::wstring sPatterns, Collection& result, bool bRecurse) {
    result = Collection();
    if (!DoesDirExist(sFolder)) return;
    const std::vector<Piece> pieces = SplitPatterns(sPatterns);
    result = Search(pieces, bRecurse, true).Run(std::move(sFolder));
}

Collection FindFilesInDir(std::wstring sFolder, const std::wstring& sPatterns, bool bRecurse) {
    const std::vector<Piece> pieces = SplitPatterns(sPatterns);
    return Search(pieces, bRecurse, false).Run(std::move(sFolder));
}

} // namespace CommonModule
