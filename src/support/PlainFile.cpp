#include "support/PlainFile.h"

#include "support/DebugLog.h"
#include "support/FolderCheck.h"
#include "support/FolderHandle.h"
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

} // namespace

ULONGLONG PlainFile::size() const {
    return Joined(info_.nFileSizeHigh, info_.nFileSizeLow);
}

ULONGLONG PlainFile::lastWriteTime() const {
    return Joined(info_.ftLastWriteTime.dwHighDateTime, info_.ftLastWriteTime.dwLowDateTime);
}

bool PlainFile::Delete(std::wstring& why) {
    if (!DeleteThrough(handle_.get(), info_.dwFileAttributes, why)) return false;
    handle_.reset();
    return true;
}

const CheckedFolder& HeldFolders::In(const std::wstring& sFolder) {
    for (const auto& folder : folders_)
        if (Text::EqualsNoCase(folder->path(), sFolder)) return *folder;
    folders_.push_back(std::make_unique<CheckedFolder>(sFolder));
    return *folders_.back();
}

CheckedFolder::CheckedFolder(const std::wstring& sFolder)
    : path_(sFolder), noDeletes_(DeletesRefused(sFolder)) {
    // Shared in every way: the user's own folders are not this program's to lock. What
    // a file's handle leads to is checked against where this handle leads.
    handle_.reset(CreateFileW(LongPathSafe(sFolder).c_str(), FILE_LIST_DIRECTORY,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!ok() || !NameOfHandle(handle_.get(), name_, why_)) {
        if (!ok()) why_ = LastError().description;
        why_ = L"the folder \"" + sFolder + L"\" cannot be checked: " + why_;
        handle_.reset();
    }
}

CheckedFolder::CheckedFolder(const CheckedFolder& parent, const std::wstring& sName)
    : path_(parent.path_ + L"\\" + sName), noDeletes_(parent.noDeletes_) {
    if (!parent.ok()) {
        why_ = parent.why_;
        return;
    }
    // Opened for deleting and without FILE_SHARE_DELETE: this fails while another run
    // holds the folder open, and no one may rename or delete it while this handle is.
    LONG status = 0;
    handle_ =
        OpenInFolder(parent.handle(), sName, FILE_LIST_DIRECTORY | DELETE | FILE_READ_ATTRIBUTES,
                     FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_DIRECTORY_FILE, status);
    if (!ok()) {
        inUse_ = IsSharingStatus(status);
        why_ = StatusText(status);
        return;
    }
    std::wstring why;
    const bool named = NameOfHandle(handle_.get(), name_, why);
    // Where the handle really leads, as for a file (see OpenOnce).
    std::wstring leaf;
    if (LinkOfHandle(handle_.get()) != LinkAnswer::Plain || !named ||
        !DirectlyIn(parent.name_, name_, leaf) || !SameFolded(leaf, sName)) {
        why_ = L"a link stands there";
        handle_.reset();
    }
}

namespace {
constexpr wchar_t kNoDeletes[] =
    L"an elevated run deletes nothing in a folder on the network, where the server looks "
    L"each name up again";
} // namespace

bool CheckedFolder::Remove(std::wstring& why) {
    if (!ok() || noDeletes_) {
        why = noDeletes_ ? kNoDeletes : why_;
        return false;
    }
    if (!DeleteThrough(handle_.get(), 0, why)) return false;
    handle_.reset();
    if (GetFileAttributesW(LongPathSafe(path_).c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    why = L"it is still there";
    return false;
}

CheckedFolder::Found CheckedFolder::Open(const std::wstring& sName, PlainFile& file,
                                         std::wstring& why, bool bToDelete) const {
    const Found found = OpenOnce(sName, file, why, bToDelete);
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

CheckedFolder::Found JudgeOpened(const std::wstring& sFolderName, const OpenedFacts& facts,
                                 std::wstring& sLeaf, std::wstring& why) {
    using Found = CheckedFolder::Found;
    if (facts.attributes & FILE_ATTRIBUTE_DIRECTORY) {
        why = L"a folder stands there";
        return Found::Other;
    }
    if (facts.link == LinkAnswer::Unknown) {
        why = L"the file system would not say whether it is a link";
        return Found::Failed;
    }
    if (facts.link == LinkAnswer::Link) {
        why = L"a link stands there";
        return Found::Other;
    }
    // Its other names share its attributes, and its content stays theirs.
    if (facts.links > 1) {
        why = L"it has other names as well (a hard link)";
        return Found::Other;
    }
    // Where the handle really leads: a link the platform followed all the same (Wine
    // follows Unix symbolic links) shows here as a file elsewhere.
    if (!facts.named) {
        why = L"the file system would not say where it stands: " + facts.name;
        return Found::Failed;
    }
    if (!DirectlyIn(sFolderName, facts.name, sLeaf)) {
        why = L"a link to \"" + facts.name + L"\" stands there";
        return Found::Other;
    }
    return Found::Plain;
}

CheckedFolder::Found CheckedFolder::OpenOnce(const std::wstring& sName, PlainFile& file,
                                             std::wstring& why, bool bToDelete) const {
    file = PlainFile();
    if (!ok() || (bToDelete && noDeletes_)) {
        why = ok() ? kNoDeletes : why_;
        return Found::Failed;
    }
    // Relative to the folder's handle: the folder checked is the folder opened in, and
    // the one query below tells the name the file stands under.
    LONG status = 0;
    file.handle_ = OpenInFolder(
        handle_.get(), sName,
        bToDelete ? DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES : FILE_READ_ATTRIBUTES,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_NON_DIRECTORY_FILE, status);
    if (!file.handle_) {
        if (IsMissingStatus(status)) return Found::Missing;
        why = IsFolderStatus(status) ? L"a folder stands there" : StatusText(status);
        return IsFolderStatus(status) ? Found::Other : Found::Failed;
    }
    if (!GetFileInformationByHandle(file.handle_.get(), &file.info_)) {
        why = LastError().description;
        return Found::Failed;
    }
    OpenedFacts facts;
    facts.attributes = file.info_.dwFileAttributes;
    facts.links = file.info_.nNumberOfLinks;
    facts.link = LinkOfHandle(file.handle_.get());
    facts.named = NameOfHandle(file.handle_.get(), facts.name, facts.name);
    const Found found = JudgeOpened(name_, facts, file.name_, why);
    if (found != Found::Plain) file = PlainFile();
    return found;
}

} // namespace CommonModule
