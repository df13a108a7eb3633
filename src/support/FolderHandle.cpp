#include "support/FolderHandle.h"

#include "support/DebugLog.h"
#include "support/LinkTag.h"
#include "support/Text.h"

#include <winternl.h>

namespace CommonModule {

namespace {
constexpr LONG kNameNotFound = static_cast<LONG>(0xC0000034); // STATUS_OBJECT_NAME_NOT_FOUND
constexpr LONG kPathNotFound = static_cast<LONG>(0xC000003A); // STATUS_OBJECT_PATH_NOT_FOUND
constexpr LONG kIsAFolder = static_cast<LONG>(0xC00000BA);    // STATUS_FILE_IS_A_DIRECTORY
constexpr ULONG kOpenReparsePoint = 0x00200000;               // FILE_OPEN_REPARSE_POINT
} // namespace

namespace {

ScopedWin::UniqueFile CreateInFolder(HANDLE folder, const std::wstring& sName, ACCESS_MASK access,
                                     ULONG share, ULONG disposition, ULONG options,
                                     PSECURITY_DESCRIPTOR security, LONG& status) {
    // As a path's last part: the file system knows no name ending in a dot or a space.
    std::wstring trimmed = sName;
    if (trimmed != L"." && trimmed != L"..")
        while (!trimmed.empty() && (trimmed.back() == L'.' || trimmed.back() == L' '))
            trimmed.pop_back();
    UNICODE_STRING name{};
    name.Buffer = trimmed.data();
    name.Length = static_cast<USHORT>(trimmed.size() * sizeof(wchar_t));
    name.MaximumLength = name.Length;
    OBJECT_ATTRIBUTES attributes{};
    // Case-insensitive, as a path would be looked up.
    InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE, folder, security);
    IO_STATUS_BLOCK io{};
    HANDLE h = nullptr;
    // A name with a separator, or a dot name, would reach past the folder.
    status = kNameNotFound;
    if (trimmed.empty() || trimmed == L"." || trimmed == L".." ||
        trimmed.find_first_of(L"\\/") != std::wstring::npos)
        return ScopedWin::UniqueFile();
    status =
        NtCreateFile(&h, access | SYNCHRONIZE, &attributes, &io, nullptr, 0, share, disposition,
                     options | kOpenReparsePoint | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
    return ScopedWin::UniqueFile(status >= 0 ? h : INVALID_HANDLE_VALUE);
}

} // namespace

ScopedWin::UniqueFile OpenInFolder(HANDLE folder, const std::wstring& sName, ACCESS_MASK access,
                                   ULONG share, ULONG options, LONG& status) {
    return CreateInFolder(folder, sName, access, share, FILE_OPEN, options, nullptr, status);
}

ScopedWin::UniqueFile MakeFolderIn(HANDLE folder, const std::wstring& sName, ACCESS_MASK access,
                                   PSECURITY_DESCRIPTOR security, LONG& status) {
    return CreateInFolder(folder, sName, access, FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_CREATE,
                          FILE_DIRECTORY_FILE, security, status);
}

bool IsCollisionStatus(LONG status) {
    return status == static_cast<LONG>(0xC0000035); // STATUS_OBJECT_NAME_COLLISION
}

bool IsMissingStatus(LONG status) {
    return status == kNameNotFound || status == kPathNotFound;
}

bool IsFolderStatus(LONG status) {
    return status == kIsAFolder;
}

bool IsSharingStatus(LONG status) {
    return RtlNtStatusToDosError(status) == ERROR_SHARING_VIOLATION;
}

std::wstring StatusText(LONG status) {
    return Win32Error(RtlNtStatusToDosError(status)).description;
}

void AddListed(const BYTE* buffer, std::vector<ListedEntry>& entries) {
    for (const BYTE* at = buffer;;) {
        const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
        std::wstring name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
        // For a reparse point the field of the extended attributes' size holds its tag.
        if (name != L"." && name != L"..")
            entries.push_back({std::move(name), entry->FileAttributes, entry->EaSize});
        if (entry->NextEntryOffset == 0) return;
        at += entry->NextEntryOffset;
    }
}

bool ListThrough(HANDLE folder, std::vector<ListedEntry>& entries, std::wstring& why) {
    alignas(8) BYTE buffer[16384];
    for (auto type = FileIdBothDirectoryRestartInfo;; type = FileIdBothDirectoryInfo) {
        if (!GetFileInformationByHandleEx(folder, type, buffer, sizeof buffer)) {
            if (GetLastError() == ERROR_NO_MORE_FILES) return true;
            why = LastError().description;
            return false;
        }
        AddListed(buffer, entries);
    }
}

bool NameOfHandle(HANDLE h, std::wstring& name, std::wstring& why) {
    alignas(8) BYTE buffer[sizeof(FILE_NAME_INFO) + 2 * 32768];
    auto* info = reinterpret_cast<FILE_NAME_INFO*>(buffer);
    if (!GetFileInformationByHandleEx(h, FileNameInfo, info, sizeof buffer)) {
        why = LastError().description;
        return false;
    }
    name.assign(info->FileName, info->FileNameLength / sizeof(wchar_t));
    return true;
}

bool DirectlyIn(const std::wstring& sFolderName, const std::wstring& sName, std::wstring& sLeaf) {
    std::wstring_view folder = sFolderName;
    if (folder.ends_with(L'\\')) folder.remove_suffix(1); // a volume's root
    const size_t cut = sName.find_last_of(L'\\');
    if (cut == std::wstring::npos || cut != folder.size()) return false;
    for (size_t i = 0; i < cut; ++i)
        if (Text::FoldCase(sName[i]) != Text::FoldCase(folder[i])) return false;
    sLeaf = sName.substr(cut + 1);
    return true;
}

namespace {

bool SetDisposition(HANDLE h) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    return SetFileInformationByHandle(h, FileDispositionInfo, &disposition, sizeof disposition);
}

bool SetAttributes(HANDLE h, DWORD attributes) {
    FILE_BASIC_INFO basic{}; // zero times: left as they are
    basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    return SetFileInformationByHandle(h, FileBasicInfo, &basic, sizeof basic);
}

} // namespace

bool DeleteThrough(HANDLE h, DWORD attributes, std::wstring& why) {
    if (SetDisposition(h)) return true;
    DWORD error = GetLastError();
    // A copy keeps a read-only source's attribute; being ours, it goes all the same.
    if (error == ERROR_ACCESS_DENIED && (attributes & FILE_ATTRIBUTE_READONLY) &&
        SetAttributes(h, attributes & ~FILE_ATTRIBUTE_READONLY)) {
        if (SetDisposition(h)) return true;
        error = GetLastError();
        SetAttributes(h, attributes);
    }
    why = Win32Error(error).description;
    return false;
}

bool EmptyThrough(HANDLE h, const std::wstring& sFolderName, std::wstring& why) {
    std::vector<ListedEntry> entries;
    if (!ListThrough(h, entries, why)) return false;
    bool ok = true;
    for (const auto& entry : entries) {
        LONG status = 0;
        const ScopedWin::UniqueFile item = OpenInFolder(
            h, entry.name,
            DELETE | FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0, status);
        BY_HANDLE_FILE_INFORMATION info{};
        std::wstring name, leaf, reason;
        if (!item) {
            if (IsMissingStatus(status)) continue;
            reason = StatusText(status);
        } else if (!GetFileInformationByHandle(item.get(), &info)) {
            reason = LastError().description;
        } else if (const LinkAnswer link = LinkOfHandle(item.get()); link != LinkAnswer::Plain) {
            if (link == LinkAnswer::Unknown)
                reason = L"the file system would not say whether it is a link";
            else
                DeleteThrough(item.get(), 0, reason); // the name only
        } else if (!NameOfHandle(item.get(), name, reason)) {
        } else if (!DirectlyIn(sFolderName, name, leaf)) {
            reason = L"a link to \"" + name + L"\" stands there";
        } else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (EmptyThrough(item.get(), name, reason)) DeleteThrough(item.get(), 0, reason);
        } else if (info.nNumberOfLinks > 1) {
            reason = L"it has other names as well (a hard link)";
        } else {
            DeleteThrough(item.get(), info.dwFileAttributes, reason);
        }
        if (reason.empty()) continue;
        if (ok) why = L"\"" + entry.name + L"\": " + reason;
        ok = false;
    }
    return ok;
}

} // namespace CommonModule
