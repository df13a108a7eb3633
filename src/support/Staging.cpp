#include "support/Staging.h"

#include "support/DebugLog.h"
#include "support/FolderHandle.h"
#include "support/LinkTag.h"
#include "support/OwnFolder.h"
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

// A folder of its own standing there, no link to one, by its entry in its parent's
// listing (which tells a link's tag).
bool IsOwnFolder(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    return EntryAt(path, found) && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !IsLinkEntry(found);
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

HoldCalls HoldCalls::System() {
    return {NameOfHandle, SetFileInformationByHandle};
}

StagingFolder::StagingFolder(const std::wstring& sParent, const HoldCalls& calls) {
    // Only this run's token may put a name in it (OwnFolder.h).
    OwnFolderSecurity security(sParent);
    const ScopedWin::UniqueFile parent(CreateFileW(
        LongPathSafe(sParent).c_str(), FILE_LIST_DIRECTORY | FILE_ADD_SUBDIRECTORY | FILE_TRAVERSE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!security.ok() || !parent) {
        why_ = L"no working folder could be made in \"" + sParent + L"\": " +
               (security.ok() ? LastError().description : security.why());
        return;
    }
    // Short, so that what fits in the destination still fits in here.
    const DWORD seed = GetCurrentProcessId() * 2654435761u ^ GetTickCount();
    LONG status = 0;
    for (DWORD i = 0; i < 64; ++i) {
        wchar_t name[16] = {};
        wsprintfW(name, L"~dv%04x.tmp", (seed + i) & 0xFFFF);
        // Made and opened in one step, so that what is held is the folder made, with the
        // security it was made with: no one else's folder of that name can take its place.
        // Held open for as long as this run works in it: another run that finds it cannot
        // open it for deleting, and so tells it from an interrupted run's; no one can
        // rename it. Removed through this handle alone: its path is never looked up again.
        hold_ = MakeFolderIn(parent.get(), name,
                             DELETE | READ_CONTROL | FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES |
                                 FILE_WRITE_ATTRIBUTES,
                             security.descriptor(), status);
        if (hold_) {
            path_ = sParent + L"\\" + name;
            Hold(calls);
            return;
        }
        if (!IsCollisionStatus(status)) break;
    }
    why_ = L"no working folder could be made in \"" + sParent + L"\": " + StatusText(status);
}

void StagingFolder::Hold(const HoldCalls& calls) {
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FILE_ATTRIBUTE_HIDDEN;
    const wchar_t* query = L"FileNameInfo";
    if (calls.nameOf(hold_.get(), name_, why_)) {
        query = L"FileBasicInfo";
        if (calls.setInfo(hold_.get(), FileBasicInfo, &basic, sizeof basic)) return;
        why_ = LastError().description;
    }
    why_ = L"the working folder \"" + path_ + L"\" cannot be held: the query " + query +
           L" failed: " + why_;
    // Just made and still empty, it goes again through the handle that made it: left, it
    // would stand on the desktop, not even hidden.
    if (std::wstring stays; !DeleteThrough(hold_.get(), 0, stays)) why_ += L"; it stays: " + stays;
    hold_.reset();
    path_.clear();
}

StagingFolder::~StagingFolder() {
    if (!hold_) return;
    std::wstring why;
    if (!EmptyThrough(hold_.get(), name_, why) || !DeleteThrough(hold_.get(), 0, why))
        DPrint(L"the working folder stays: " + path_ + L": " + why);
}

// Only a plain read-only file with no other name is made writable, through a handle that
// does not follow a link: the attribute belongs to the file, so every other name of a
// hard-linked one, and a link's target, would lose it too.
namespace {

// Sets the attributes of sName in `folder` through a handle that does not follow a link,
// when it is a plain file with no other name; closed again before the caller moves it.
bool SetOwnAttributes(HANDLE folder, const std::wstring& sName, DWORD attributes,
                      std::wstring& why) {
    LONG status = 0;
    const ScopedWin::UniqueFile file = OpenInFolder(
        folder, sName, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_NON_DIRECTORY_FILE, status);
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO basic{}; // zero times: left as they are
    basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    if (!file) {
        why = StatusText(status);
    } else if (!GetFileInformationByHandle(file.get(), &info) ||
               LinkOfHandle(file.get()) != LinkAnswer::Plain) {
        why = L"it is no plain file, or the file system would not say";
    } else if (info.nNumberOfLinks > 1) {
        why = L"it has other names as well (a hard link), which would lose the attribute too";
    } else if (!SetFileInformationByHandle(file.get(), FileBasicInfo, &basic, sizeof basic)) {
        why = LastError().description;
    } else {
        return true;
    }
    return false;
}

} // namespace

bool ReplaceReadOnly(const std::wstring& sStaged, const std::wstring& sDest, DWORD attributes,
                     std::wstring& why) {
    const size_t cut = sDest.find_last_of(L'\\');
    const std::wstring name = sDest.substr(cut + 1);
    const ScopedWin::UniqueFile folder(
        CreateFileW(LongPathSafe(sDest.substr(0, cut)).c_str(), FILE_TRAVERSE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder ||
        !SetOwnAttributes(folder.get(), name, attributes & ~FILE_ATTRIBUTE_READONLY, why)) {
        why = L"the read-only file is kept as it is: " + (folder ? why : LastError().description);
        return false;
    }
    if (MoveFileExW(LongPathSafe(sStaged).c_str(), LongPathSafe(sDest).c_str(),
                    MOVEFILE_REPLACE_EXISTING))
        return true;
    const DWORD error = GetLastError();
    std::wstring ignored;
    SetOwnAttributes(folder.get(), name, attributes, ignored);
    why = Win32Error(error).description;
    SetLastError(error);
    return false;
}

bool ReplaceByName(const std::wstring& sStaged, const std::wstring& sDest, std::wstring& why,
                   Keep keep) {
    const std::wstring staged = LongPathSafe(sStaged), dest = LongPathSafe(sDest);
    WIN32_FIND_DATAW entry{};
    const bool found = EntryAt(sDest, entry);
    const DWORD a = found ? entry.dwFileAttributes : INVALID_FILE_ATTRIBUTES;
    const bool plain = found && !(a & FILE_ATTRIBUTE_DIRECTORY) && !IsLinkEntry(entry);
    // A plain file replaced in place keeps its attributes and security settings; a move
    // would give it those of the new file, so there is no going on by a move when that
    // fails. A link is only ever replaced as a name. Not every implementation merges
    // the attributes (Wine only moves the file), so they are set once more.
    if (keep == Keep::AttributesAndSecurity && plain) {
        if (!ReplaceKeepingSecurity(sStaged, sDest, why)) return false;
        SetFileAttributesW(dest.c_str(), a);
        return true;
    }
    if (MoveFileExW(staged.c_str(), dest.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED && plain && (a & FILE_ATTRIBUTE_READONLY))
        return ReplaceReadOnly(sStaged, sDest, a, why);
    why = Win32Error(error).description;
    SetLastError(error);
    return false;
}

bool SystemReplaceFile(const std::wstring& sReplaced, const std::wstring& sReplacement,
                       const std::wstring& sBackup, DWORD flags) {
    return ReplaceFileW(LongPathSafe(sReplaced).c_str(), LongPathSafe(sReplacement).c_str(),
                        LongPathSafe(sBackup).c_str(), flags, nullptr, nullptr);
}

bool ReplaceKeepingSecurity(const std::wstring& sStaged, const std::wstring& sDest,
                            std::wstring& why, const ReplaceFileCall& replace,
                            const PermissionsCall& permissions) {
    // With a backup name the platform never deletes the old file: it moves it aside
    // first. Beside the staged file, so on the same volume as the destination.
    const std::wstring backup = sStaged + L".old";
    DeleteFileW(LongPathSafe(backup).c_str());
    // No flag that lets the platform go on without the old file's security settings
    // (without WRITE_DAC access it would "succeed" and drop them): a merge it cannot
    // make fails the replace, which then leaves both files as they were.
    bool replaced = replace(sDest, sStaged, backup, 0);
    DWORD error = replaced ? ERROR_SUCCESS : GetLastError();
    // Refused for want of WRITE_DAC (InheritedOnly.h): permissions that are all inherited
    // are the ones the staged file beside it has as well, so the merge may be left out.
    const Permissions old =
        error == ERROR_ACCESS_DENIED ? permissions(sDest) : Permissions::Unknown;
    if (old == Permissions::Inherited) {
        replaced = replace(sDest, sStaged, backup, REPLACEFILE_IGNORE_MERGE_ERRORS);
        error = replaced ? ERROR_SUCCESS : GetLastError();
    }
    if (replaced) {
        DeleteFileW(LongPathSafe(backup).c_str());
        return true;
    }
    why = Win32Error(error).description;
    if (error == ERROR_ACCESS_DENIED && old != Permissions::Inherited)
        why += L" Replacing it keeps its own permissions, which needs the right to change "
               L"permissions on it.";
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
