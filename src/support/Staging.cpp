#include "support/Staging.h"

#include "support/DebugLog.h"
#include "support/PlainFile.h"
#include "support/Probes.h"
#include "support/ScopedWin.h"
#include "support/Text.h"

#include <windows.h>

#include <cwctype>
#include <memory>
#include <vector>

namespace CommonModule {

namespace {
std::wstring LongFormFrom(const std::wstring& sPath, size_t length) {
    return sPath.size() < length ? sPath : ExtendedLengthPath(sPath);
}
} // namespace

std::wstring LongPathSafe(const std::wstring& sPath) {
    return LongFormFrom(sPath, MAX_PATH);
}

std::wstring NewFolderPathSafe(const std::wstring& sPath) {
    return LongFormFrom(sPath, MAX_PATH - 12);
}

namespace {

DWORD Attributes(const std::wstring& path) {
    return GetFileAttributesW(LongPathSafe(path).c_str());
}

bool IsFolder(const std::wstring& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsOwnFolder(const std::wstring& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) &&
           !(a & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Read-only entries are made writable first. A link is removed as a name and never
// followed: whatever it leads to is not this program's to delete.
void RemoveTree(const std::wstring& folder) {
    if (!IsOwnFolder(folder)) {
        RemoveDirectoryW(LongPathSafe(folder).c_str());
        return;
    }
    WIN32_FIND_DATAW found{};
    ScopedWin::UniqueFind search(FindFirstFileW(LongPathSafe(folder + L"\\*").c_str(), &found));
    if (search) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                SetFileAttributesW(LongPathSafe(path).c_str(),
                                   found.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
            const bool isFolder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
            if (isFolder && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(path);
            else if (isFolder)
                RemoveDirectoryW(LongPathSafe(path).c_str());
            else
                DeleteFileW(LongPathSafe(path).c_str());
        } while (FindNextFileW(search.get(), &found));
    }
    search.reset();
    RemoveDirectoryW(LongPathSafe(folder).c_str());
}

// Only plain files inside, each deleted through its own handle after the check that it
// stands in this folder: a subfolder or a link means someone other than this program
// put it there, and it is not this program's to remove.
bool RemovePlainFilesIn(const CheckedFolder& folder, std::wstring& why) {
    // Listed through the handle that holds the folder, not by its path again.
    std::vector<std::wstring> files;
    alignas(8) BYTE buffer[16384];
    for (auto type = FileIdBothDirectoryRestartInfo;; type = FileIdBothDirectoryInfo) {
        if (!GetFileInformationByHandleEx(folder.handle(), type, buffer, sizeof buffer)) {
            if (GetLastError() == ERROR_NO_MORE_FILES) break;
            why = LastError().description;
            return false;
        }
        for (BYTE* at = buffer;;) {
            const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            const std::wstring name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
            if (name != L"." && name != L"..") {
                if (entry->FileAttributes &
                    (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) {
                    why = L"it holds \"" + name + L"\", which is no plain file";
                    return false;
                }
                files.push_back(name);
            }
            if (entry->NextEntryOffset == 0) break;
            at += entry->NextEntryOffset;
        }
    }
    for (const auto& name : files) {
        PlainFile file;
        const CheckedFolder::Found kind = folder.Open(name, file, why);
        if (kind == CheckedFolder::Found::Missing) continue;
        if (kind != CheckedFolder::Found::Plain) {
            why = L"\"" + name + L"\": " + why;
            return false;
        }
        if (!file.Delete(why)) return false;
    }
    return true;
}

} // namespace

const StagingFolder& WorkingFolders::In(const std::wstring& sParent) {
    for (auto& shared : folders_) {
        if (!Text::EqualsNoCase(shared.parent, sParent)) continue;
        if (shared.folder->ok() && IsOwnFolder(shared.folder->path())) return *shared.folder;
        shared.folder = std::make_unique<StagingFolder>(sParent);
        return *shared.folder;
    }
    folders_.push_back({sParent, std::make_unique<StagingFolder>(sParent)});
    return *folders_.back().folder;
}

std::vector<std::wstring> WorkingFolders::Parents() const {
    std::vector<std::wstring> parents;
    for (const auto& shared : folders_)
        parents.push_back(shared.parent);
    return parents;
}

StagingFolder::StagingFolder(const std::wstring& sParent) {
    // Short, so that what fits in the destination still fits in here.
    const DWORD seed = GetCurrentProcessId() * 2654435761u ^ GetTickCount();
    for (DWORD i = 0; i < 64; ++i) {
        wchar_t name[16] = {};
        wsprintfW(name, L"~dv%04x.tmp", (seed + i) & 0xFFFF);
        const std::wstring path = sParent + L"\\" + name;
        if (CreateDirectoryW(NewFolderPathSafe(path).c_str(), nullptr)) {
            SetFileAttributesW(LongPathSafe(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
            // Held open for as long as this run works in it: another run that finds it
            // cannot open it for deleting, and so tells it from an interrupted run's.
            hold_.reset(CreateFileW(LongPathSafe(path).c_str(), FILE_LIST_DIRECTORY,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                    nullptr));
            path_ = path;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    why_ = L"no working folder could be made in \"" + sParent + L"\": " + LastError().description;
}

StagingFolder::~StagingFolder() {
    hold_.reset();
    if (!path_.empty()) RemoveTree(path_);
}

bool NamedLikeWorkingFolder(const std::wstring& sName) {
    const std::wstring n = Text::Lower(sName);
    if (n.size() != 11 || !n.starts_with(L"~dv") || !n.ends_with(L".tmp")) return false;
    for (size_t i = 3; i < 7; ++i)
        if (!iswxdigit(n[i])) return false;
    return true;
}

void RemoveStaleWorkingFolders(const std::wstring& sParent,
                               const std::vector<std::wstring>& names) {
    if (names.empty()) return;
    const CheckedFolder parent(sParent);
    for (const auto& name : names) {
        CheckedFolder folder(parent, name);
        // Held open by a run still at work, however long its copy takes; a link there
        // is not followed.
        if (!folder.ok()) continue;
        std::wstring why;
        if (!RemovePlainFilesIn(folder, why) || !folder.Remove(why)) {
            DPrint(L"the working folder of an interrupted run stays: " + folder.path() + L": " +
                   why);
            continue;
        }
        DPrint(L"removed the working folder of an interrupted run: " + folder.path());
    }
}

bool ReplaceByName(const std::wstring& sStaged, const std::wstring& sDest, std::wstring& why,
                   Keep keep) {
    const std::wstring staged = LongPathSafe(sStaged), dest = LongPathSafe(sDest);
    const DWORD a = Attributes(sDest);
    constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    // A plain file replaced in place keeps its attributes and security settings; a move
    // would give it those of the new file, so there is no going on by a move when that
    // fails. A link is only ever replaced as a name. Not every implementation merges
    // the attributes (Wine only moves the file), so they are set once more.
    if (keep == Keep::AttributesAndSecurity && a != INVALID_FILE_ATTRIBUTES && !(a & kNotPlain)) {
        if (!ReplaceKeepingSecurity(sStaged, sDest, why)) return false;
        SetFileAttributesW(dest.c_str(), a);
        return true;
    }
    if (MoveFileExW(staged.c_str(), dest.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    DWORD error = GetLastError();
    // Only a plain read-only file is made writable: the attributes of a link's target
    // are not this program's to change.
    if (error == ERROR_ACCESS_DENIED && a != INVALID_FILE_ATTRIBUTES &&
        (a & FILE_ATTRIBUTE_READONLY) && !(a & kNotPlain)) {
        SetFileAttributesW(dest.c_str(), a & ~FILE_ATTRIBUTE_READONLY);
        if (MoveFileExW(staged.c_str(), dest.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
        error = GetLastError();
        SetFileAttributesW(dest.c_str(), a);
    }
    why = Win32Error(error).description;
    SetLastError(error);
    return false;
}

bool SystemReplaceFile(const std::wstring& sReplaced, const std::wstring& sReplacement,
                       const std::wstring& sBackup) {
    return ReplaceFileW(LongPathSafe(sReplaced).c_str(), LongPathSafe(sReplacement).c_str(),
                        LongPathSafe(sBackup).c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                        nullptr);
}

bool ReplaceKeepingSecurity(const std::wstring& sStaged, const std::wstring& sDest,
                            std::wstring& why, const ReplaceFileCall& replace) {
    // With a backup name the platform never deletes the old file: it moves it aside
    // first. Beside the staged file, so on the same volume as the destination.
    const std::wstring backup = sStaged + L".old";
    DeleteFileW(LongPathSafe(backup).c_str());
    if (replace(sDest, sStaged, backup)) {
        DeleteFileW(LongPathSafe(backup).c_str());
        return true;
    }
    const DWORD error = GetLastError();
    why = Win32Error(error).description;
    // ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 (and any failure that got as far) leaves the
    // old file under the backup name and the new one under its staged name: the old one
    // goes back. ERROR_UNABLE_TO_MOVE_REPLACEMENT with a backup name, like the failures
    // before any move, leaves both where they were.
    if (Attributes(sDest) == INVALID_FILE_ATTRIBUTES &&
        Attributes(backup) != INVALID_FILE_ATTRIBUTES &&
        !MoveFileExW(LongPathSafe(backup).c_str(), LongPathSafe(sDest).c_str(), 0))
        why += L" The old file is kept as \"" + backup + L"\".";
    SetLastError(error);
    return false;
}

bool MakeFolderTree(const std::wstring& sPath) {
    if (sPath.empty()) return false;
    if (IsFolder(sPath)) return true;
    const size_t cut = sPath.find_last_of(L'\\');
    if (cut != std::wstring::npos && cut > 0 && sPath[cut - 1] != L':' && sPath[cut - 1] != L'\\')
        MakeFolderTree(sPath.substr(0, cut));
    return CreateDirectoryW(NewFolderPathSafe(sPath).c_str(), nullptr) || IsFolder(sPath);
}

} // namespace CommonModule
