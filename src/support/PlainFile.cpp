#include "support/PlainFile.h"

#include "support/DebugLog.h"
#include "support/Staging.h"
#include "support/Text.h"

namespace CommonModule {

namespace {

bool SameFolded(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Text::FoldCase(a[i]) != Text::FoldCase(b[i])) return false;
    return true;
}

ULONGLONG Joined(DWORD high, DWORD low) {
    return (ULONGLONG{high} << 32) | low;
}

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

std::wstring FinalPathOf(HANDLE h) {
    std::wstring path(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD n = GetFinalPathNameByHandleW(h, path.data(), static_cast<DWORD>(path.size()),
                                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + path.substr(8);
            if (path.starts_with(L"\\\\?\\")) return path.substr(4);
            return path;
        }
        path.assign(n + 1, L'\0');
    }
    return {};
}

ULONGLONG PlainFile::size() const {
    return Joined(info_.nFileSizeHigh, info_.nFileSizeLow);
}

ULONGLONG PlainFile::lastWriteTime() const {
    return Joined(info_.ftLastWriteTime.dwHighDateTime, info_.ftLastWriteTime.dwLowDateTime);
}

bool PlainFile::Delete(std::wstring& why) {
    if (SetDisposition(handle_.get())) {
        handle_.reset();
        return true;
    }
    DWORD error = GetLastError();
    // A copy keeps a read-only source's attribute; being ours, it goes all the same.
    const DWORD attributes = info_.dwFileAttributes;
    if (error == ERROR_ACCESS_DENIED && (attributes & FILE_ATTRIBUTE_READONLY) &&
        SetAttributes(handle_.get(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
        if (SetDisposition(handle_.get())) {
            handle_.reset();
            return true;
        }
        error = GetLastError();
        SetAttributes(handle_.get(), attributes);
    }
    why = Win32Error(error).description;
    return false;
}

const CheckedFolder& HeldFolders::In(const std::wstring& sFolder) {
    for (const auto& folder : folders_)
        if (Text::EqualsNoCase(folder->path(), sFolder)) return *folder;
    folders_.push_back(std::make_unique<CheckedFolder>(sFolder));
    return *folders_.back();
}

CheckedFolder::CheckedFolder(const std::wstring& sFolder) : path_(sFolder) {
    // Shared in every way: the user's own folders are not this program's to lock. What
    // a file's handle leads to is checked against where this handle leads.
    handle_.reset(CreateFileW(LongPathSafe(sFolder).c_str(), FILE_LIST_DIRECTORY,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!ok()) {
        why_ = LastError().description;
        return;
    }
    finalPath_ = FinalPathOf(handle_.get());
}

CheckedFolder::CheckedFolder(const CheckedFolder& parent, const std::wstring& sName)
    : path_(parent.path_ + L"\\" + sName) {
    // Opened for deleting and without FILE_SHARE_DELETE: this fails while another run
    // holds the folder open, and no one may rename or delete it while this handle is.
    handle_.reset(CreateFileW(LongPathSafe(path_).c_str(), FILE_LIST_DIRECTORY | DELETE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!ok()) {
        inUse_ = GetLastError() == ERROR_SHARING_VIOLATION;
        why_ = LastError().description;
        return;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    finalPath_ = FinalPathOf(handle_.get());
    const bool plain = GetFileInformationByHandle(handle_.get(), &info) &&
                       (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                       !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
    // Where the handle really leads, as for a file (see OpenOnce).
    if (!plain || (!parent.finalPath_.empty() &&
                   !SameFolded(finalPath_, parent.finalPath_ + L"\\" + sName))) {
        why_ = L"a link stands there";
        handle_.reset();
    }
}

bool CheckedFolder::Remove(std::wstring& why) {
    if (!ok()) {
        why = why_;
        return false;
    }
    if (!SetDisposition(handle_.get())) {
        why = LastError().description;
        return false;
    }
    handle_.reset();
    if (GetFileAttributesW(LongPathSafe(path_).c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    why = L"it is still there";
    return false;
}

CheckedFolder::Found CheckedFolder::Open(const std::wstring& sName, PlainFile& file,
                                         std::wstring& why) const {
    const Found found = OpenOnce(sName, file, why);
    if (found != Found::Plain || SameFolded(file.name_, sName)) return found;
    // Asked by another spelling (a short name, a trailing dot), the folder's listing
    // gives the name the file stands under; a name that is an entry of its own but
    // leads to another file is a link the platform followed.
    WIN32_FIND_DATAW entry{};
    ScopedWin::UniqueFind search(
        FindFirstFileW(LongPathSafe(path_ + L"\\" + sName).c_str(), &entry));
    if (search && SameFolded(entry.cFileName, file.name_)) return found;
    why = L"a link to \"" + path_ + L"\\" + file.name_ + L"\" stands there";
    file = PlainFile();
    return Found::Other;
}

CheckedFolder::Found CheckedFolder::OpenOnce(const std::wstring& sName, PlainFile& file,
                                             std::wstring& why) const {
    file = PlainFile();
    if (!ok()) {
        why = why_;
        return Found::Failed;
    }
    const std::wstring path = path_ + L"\\" + sName;
    file.handle_.reset(CreateFileW(LongPathSafe(path).c_str(),
                                   DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.handle_) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return Found::Missing;
        // A folder does not open as a file.
        const DWORD attributes = GetFileAttributesW(LongPathSafe(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            why = L"a folder stands there";
            return Found::Other;
        }
        why = Win32Error(error).description;
        return Found::Failed;
    }
    if (!GetFileInformationByHandle(file.handle_.get(), &file.info_)) {
        why = LastError().description;
        return Found::Failed;
    }
    if (file.info_.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) {
        why = L"a link stands there";
        return Found::Other;
    }
    // Where the handle really leads: a link the platform followed all the same (Wine
    // follows Unix symbolic links) shows here as a file elsewhere.
    const std::wstring final = FinalPathOf(file.handle_.get());
    if (final.empty() || finalPath_.empty()) {
        // A file server that does not tell: the name as asked, checked above.
        file.name_ = sName;
        return Found::Plain;
    }
    const size_t cut = final.find_last_of(L'\\');
    if (cut == std::wstring::npos || !SameFolded(final.substr(0, cut), finalPath_)) {
        why = L"a link to \"" + final + L"\" stands there";
        return Found::Other;
    }
    file.name_ = final.substr(cut + 1);
    return Found::Plain;
}

} // namespace CommonModule
