#include "support/FileSearch.h"

#include "support/DebugLog.h"
#include "support/LiteralScreen.h"
#include "support/Probes.h"
#include "support/ScopedWin.h"
#include "support/Text.h"

#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>
#include <vector>

// No message pump inside the search: the one long search runs at startup before any
// window exists, and a pump would let window handlers run in the middle of a search.

namespace CommonModule {

namespace {

using Find = ScopedWin::UniqueFind;

// Listings that found nothing, as opposed to listings that failed.
bool IsNoMatch(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
}

bool IsDotEntry(const wchar_t* name) {
    return !wcscmp(name, L".") || !wcscmp(name, L"..");
}

bool IsFolder(const WIN32_FIND_DATAW& fd) {
    return fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
}

// Hidden and system folders are not entered.
bool IsSearchedFolder(const WIN32_FIND_DATAW& fd) {
    return IsFolder(fd) && !(fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

struct Piece {
    std::wstring text;
    bool screenable = false;
};
using Pieces = std::vector<Piece>;

Pieces SplitPatterns(const std::wstring& sPatterns) {
    Pieces pieces;
    size_t start = 0;
    for (;;) {
        const size_t end = sPatterns.find(L';', start);
        Piece p;
        p.text = sPatterns.substr(start, end == std::wstring::npos ? end : end - start);
        p.screenable = LiteralScreen::IsScreenable(p.text);
        pieces.push_back(std::move(p));
        if (end == std::wstring::npos) return pieces;
        start = end + 1;
    }
}

// A folder as the hits show it and as the listing calls take it (with its backslash).
struct Folder {
    std::wstring path;
};

// The six-line report. Only the folder the caller named has one; the search below
// it passes none and stays silent. The fields are the folder, the entry and the
// piece in hand when a failure happens.
struct Report {
    bool recurse = false;
    std::wstring path;
    std::wstring file;
    std::wstring piece;

    void operator()(const ErrorInfo& error) const {
        DPrint(L"FindFiles:  " + error.description);
        DPrint(L"\tRecurseDirs:  " + ToText(recurse));
        DPrint(L"\tPath:  " + path);
        DPrint(L"\tFile:  " + file);
        DPrint(L"\tSpec:  " + piece);
        DPrint(L"\tbFSRedirDisabled:  " + ToText(bFSRedirDisabled));
    }
};

// A failure to start is reported while the redirection bracket is still open,
// which the report's last line shows.
Find OpenListing(const std::wstring& path, FINDEX_INFO_LEVELS level, WIN32_FIND_DATAW& fd,
                 const Report* report, DWORD& error) {
    const FSRedirBracket bracket;
    Find find(FindFirstFileExW(path.c_str(), level, &fd, FindExSearchNameMatch, nullptr,
                               FIND_FIRST_EX_LARGE_FETCH));
    error = find ? ERROR_SUCCESS : GetLastError();
    if (!find && report && !IsNoMatch(error)) (*report)(Win32Error(error));
    return find;
}

// False at the listing's normal end and, reported, when fetching failed: the
// listing ends there either way.
bool NextEntry(HANDLE find, WIN32_FIND_DATAW& fd, const Report* report) {
    if (FindNextFileW(find, &fd)) return true;
    const DWORD error = GetLastError();
    if (error != ERROR_NO_MORE_FILES && report) (*report)(Win32Error(error));
    return false;
}

// A folder's path followed by one name from its listing, in one allocation.
std::wstring Entry(const Folder& folder, const wchar_t* name) {
    const std::wstring_view view(name);
    std::wstring entry;
    entry.reserve(folder.path.size() + view.size());
    entry = folder.path;
    entry += view;
    return entry;
}

// The files one piece lists in the folder, in the platform's order and letter case.
void ListPiece(const Folder& folder, const Piece& piece, Report* report, Collection& result) {
    WIN32_FIND_DATAW fd;
    DWORD error = ERROR_SUCCESS;
    const Find find = OpenListing(folder.path + piece.text, FindExInfoBasic, fd, report, error);
    if (!find) return;
    do {
        if (IsFolder(fd)) continue;
        std::wstring item = Entry(folder, fd.cFileName);
        if (report) report->file.assign(item, folder.path.size());
        if (!result.Add(std::move(item)) && report) (*report)(Collection::DuplicateKeyError());
    } while (NextEntry(find.get(), fd, report));
    if (report) report->file.clear();
}

// Subfolders are gathered completely before the first is searched, as one listing is
// read to its end before the next starts; the collection drops a name that differs
// from an earlier one only in letter case.
void AddSubfolder(const Folder& folder, const wchar_t* name, Report* report,
                  Collection& subfolders) {
    std::wstring sub = Entry(folder, name);
    if (report) report->file.assign(sub, folder.path.size());
    if (!subfolders.Add(std::move(sub)) && report) (*report)(Collection::DuplicateKeyError());
}

Collection ListSubfolders(const Folder& folder, Report* report) {
    Collection subfolders;
    WIN32_FIND_DATAW fd;
    DWORD error = ERROR_SUCCESS;
    const Find find = OpenListing(folder.path + L"*.*", FindExInfoBasic, fd, report, error);
    if (!find) return subfolders;
    do {
        if (!IsDotEntry(fd.cFileName) && IsSearchedFolder(fd))
            AddSubfolder(folder, fd.cFileName, report, subfolders);
    } while (NextEntry(find.get(), fd, report));
    return subfolders;
}

// A path this short is accepted by every listing call, so screening a piece cannot
// hide a failure that listing it would have met.
constexpr size_t kScreenablePathLength = MAX_PATH - 12;

bool IsScreened(const Folder& folder, const Piece& piece) {
    return piece.screenable && folder.path.size() + piece.text.size() <= kScreenablePathLength;
}

bool AnyScreened(const Folder& folder, const Pieces& pieces) {
    for (const Piece& piece : pieces)
        if (IsScreened(folder, piece)) return true;
    return false;
}

// What one reading of the whole folder tells: its subfolders, and for each screenable
// piece whether any file could match it.
struct FolderListing {
    std::vector<std::wstring> subfolders; // listing order
    std::vector<bool> mayMatch;           // per piece
};

// Reading the folder once serves the subfolder walk and every screenable piece, so a
// folder costs one listing instead of one per piece plus one for its subfolders.
// Nothing is reported here: on any failure the caller searches the folder piece by
// piece, which meets and reports the failure itself.
std::optional<FolderListing> ReadFolderOnce(const Folder& folder, const Pieces& pieces) {
    FolderListing listing;
    listing.mayMatch.assign(pieces.size(), false);
    WIN32_FIND_DATAW fd;
    DWORD error = ERROR_SUCCESS;
    // The standard level, for the short names the screen needs.
    const Find find = OpenListing(folder.path + L"*.*", FindExInfoStandard, fd, nullptr, error);
    if (!find) {
        if (IsNoMatch(error)) return listing;
        return std::nullopt;
    }
    do {
        if (IsDotEntry(fd.cFileName)) continue;
        if (IsSearchedFolder(fd)) listing.subfolders.emplace_back(fd.cFileName);
        if (IsFolder(fd)) continue;
        for (size_t i = 0; i < pieces.size(); ++i)
            if (!listing.mayMatch[i] && pieces[i].screenable)
                listing.mayMatch[i] =
                    LiteralScreen::MayMatch(pieces[i].text, fd.cFileName, fd.cAlternateFileName);
    } while (FindNextFileW(find.get(), &fd));
    if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
    return listing;
}

// Adds the hits of one folder and, with `recurse`, of its whole tree to `result`,
// depth first: the folder's own hits by piece, then each subfolder's tree.
void SearchFolder(std::wstring path, const Pieces& pieces, bool recurse, Report* report,
                  Collection& result, const std::wstring& sSkipped = {}) {
    if (path.empty() || path.back() != L'\\') path += L'\\';
    Folder folder{std::move(path)};
    if (report) report->path = folder.path;

    std::optional<FolderListing> listing;
    if (recurse && AnyScreened(folder, pieces)) listing = ReadFolderOnce(folder, pieces);

    for (size_t i = 0; i < pieces.size(); ++i) {
        const Piece& piece = pieces[i];
        if (report) report->piece = piece.text;
        // Listing an empty piece would list the folder path itself.
        if (piece.text.empty()) continue;
        // A piece the listing rules out would have listed nothing.
        if (listing && IsScreened(folder, piece) && !listing->mayMatch[i]) continue;
        ListPiece(folder, piece, report, result);
    }
    if (!recurse) return;

    Collection subfolders;
    if (listing) {
        for (const std::wstring& name : listing->subfolders)
            AddSubfolder(folder, name.c_str(), report, subfolders);
    } else {
        subfolders = ListSubfolders(folder, report);
    }
    // The subfolders' paths differ beyond letter case and every hit below one starts
    // with its path, so a hit found there cannot collide with one from elsewhere: the
    // search below adds straight into the result, each hit once.
    for (const std::wstring& sub : subfolders)
        if (sSkipped.empty() ||
            !Text::EqualsNoCase(std::wstring_view(sub).substr(folder.path.size()), sSkipped))
            SearchFolder(sub, pieces, true, nullptr, result);
}

} // namespace

void FindFiles(std::wstring sFolder, std::wstring sPatterns, Collection& result, bool bRecurse,
               const std::wstring& sSkipped) {
    result = Collection();
    if (!DoesDirExist(sFolder)) return;
    Report report;
    report.recurse = bRecurse;
    SearchFolder(std::move(sFolder), SplitPatterns(sPatterns), bRecurse, &report, result, sSkipped);
}

Collection FindFilesInDir(std::wstring sFolder, const std::wstring& sPatterns, bool bRecurse) {
    Collection result;
    SearchFolder(std::move(sFolder), SplitPatterns(sPatterns), bRecurse, nullptr, result);
    return result;
}

} // namespace CommonModule
