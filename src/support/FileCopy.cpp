#include "support/FileCopy.h"

#include <windows.h>
#include <shellapi.h>

#include "support/Probes.h"
#include "support/ScopedWin.h"
#include "support/Staging.h"

namespace CommonModule {

namespace {

// Wine cancels a copy whose destination ends in a backslash, so the folder goes to
// the shell without one. A drive root keeps its backslash: "C:" alone would mean the
// drive's current folder.
std::wstring WithoutTrailingBackslash(std::wstring path) {
    while (path.size() > 1 && path.back() == L'\\') {
        if (path.size() == 3 && path[1] == L':') break;
        path.pop_back();
    }
    return path;
}

// True when the source names at least one entry ("." and ".." of a wildcard over a
// folder do not count).
bool MatchesAnything(const std::wstring& source) {
    WIN32_FIND_DATAW found{};
    ScopedWin::UniqueFind search(FindFirstFileW(source.c_str(), &found));
    if (!search) return false;
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") return true;
    } while (FindNextFileW(search.get(), &found));
    return false;
}

// Creates the folder and every missing parent, without any dialog. True when a
// folder stands at the path afterwards (a file of that name makes it false).
bool CreateFolderTree(const std::wstring& path) {
    if (path.empty()) return false;
    if (IsExistingFolder(path)) return true;
    const size_t cut = path.find_last_of(L'\\');
    if (cut != std::wstring::npos && cut > 0) CreateFolderTree(path.substr(0, cut));
    return CreateDirectoryW(NewFolderPathSafe(path).c_str(), nullptr) || IsExistingFolder(path);
}

std::wstring DoubleNulTerminated(const std::wstring& path) {
    std::wstring list = path;
    list.append(2, L'\0');
    return list;
}

} // namespace

bool CopyFilesInto(const std::vector<std::wstring>& sSources, const std::wstring& sDestFolder) {
    if (sSources.empty()) return true;
    // Each copy through the shell pays a fixed cost (on Windows the copy engine's start):
    // one operation for many files pays it once.
    std::wstring from;
    for (const auto& source : sSources)
        from.append(source).push_back(L'\0');
    from.push_back(L'\0');
    const std::wstring destination = WithoutTrailingBackslash(sDestFolder);
    const std::wstring to = DoubleNulTerminated(destination);
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = FOF_NOCONFIRMMKDIR | FOF_NOERRORUI | FOF_NOCOPYSECURITYATTRIBS | FOF_NOCONFIRMATION;
    const FSRedirBracket bracket;
    return CreateFolderTree(destination) && SHFileOperationW(&op) == 0;
}

bool CopyFiles(const std::wstring& sSource, const std::wstring& sDestFolder, bool bReplace,
               bool bRename) {
    FILEOP_FLAGS flags = FOF_NOCONFIRMMKDIR | FOF_NOERRORUI | FOF_NOCOPYSECURITYATTRIBS;
    if (bRename)
        flags = static_cast<FILEOP_FLAGS>(flags | FOF_RENAMEONCOLLISION);
    else if (bReplace)
        flags = static_cast<FILEOP_FLAGS>(flags | FOF_NOCONFIRMATION);

    const std::wstring destination = WithoutTrailingBackslash(sDestFolder);
    const std::wstring from = DoubleNulTerminated(sSource);
    const std::wstring to = DoubleNulTerminated(destination);

    SHFILEOPSTRUCTW op{};
    op.hwnd = nullptr;
    op.wFunc = FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = flags;

    // A source that names nothing is a failed copy. Checked here because the shell's
    // answer for a wildcard that matches nothing differs between systems (Wine: 0).
    if (!MatchesAnything(sSource)) return false;
    const FSRedirBracket bracket;
    // Given a single file and a folder that does not exist, the shell writes the file
    // under the folder's name. A fresh profile has no Word templates folder yet, so
    // the folder is made first.
    // Anything but a folder there (a file of that name) would be overwritten.
    return CreateFolderTree(destination) && SHFileOperationW(&op) == 0;
}

} // namespace CommonModule
