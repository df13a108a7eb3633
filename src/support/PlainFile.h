#pragma once
// Deletes that never follow a link. What is to be deleted is opened without following a
// reparse point, checked through that one handle to be a plain file that stands under
// its own name directly in the folder that was checked, and deleted through the same
// handle: a link planted in its place, or a folder swapped for a junction, between the
// check and the delete cannot turn the delete onto a file elsewhere.
#include "support/LinkTag.h"
#include "support/ScopedWin.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace CommonModule {

// A file opened for deleting (see CheckedFolder::Open).
class PlainFile {
  public:
    const BY_HANDLE_FILE_INFORMATION& info() const { return info_; }
    // Its name as the file system reports it (its long name, in the letter case it has).
    const std::wstring& name() const { return name_; }
    ULONGLONG size() const;
    ULONGLONG lastWriteTime() const; // FILETIME as one number, 100 ns units
    // Deletes it through the handle; a read-only file is deleted too.
    bool Delete(std::wstring& why);

  private:
    friend class CheckedFolder;
    ScopedWin::UniqueFile handle_;
    BY_HANDLE_FILE_INFORMATION info_{};
    std::wstring name_;
};

// A folder held open while the files in it are examined and deleted.
class CheckedFolder {
  public:
    // Opens sFolder to examine and delete the files in it (a link to the folder itself
    // is followed: where the shell's folders may be is checked elsewhere).
    explicit CheckedFolder(const std::wstring& sFolder);
    // Opens the folder sName directly in `parent` to remove it, without following a
    // link: not ok() when something else stands there or another process holds it
    // open (inUse()).
    CheckedFolder(const CheckedFolder& parent, const std::wstring& sName);
    bool ok() const { return handle_.get() != INVALID_HANDLE_VALUE; }
    bool inUse() const { return inUse_; }
    const std::wstring& why() const { return why_; }
    // Removes the folder (opened to be removed, and empty by now) through its handle;
    // true when it is gone.
    bool Remove(std::wstring& why);
    const std::wstring& path() const { return path_; }
    HANDLE handle() const { return handle_.get(); }

    enum class Found {
        Plain,   // a plain file of that name directly in the folder: `file` holds it
        Missing, // nothing of that name
        Other,   // a folder, a link, or a name that leads elsewhere: why says which
        Failed,  // it could not be opened: why has the system's reason
    };
    // bToDelete false opens it only to read its size and time: a reader that holds the
    // file without delete sharing (an indexer or a virus scanner, just after a write)
    // does not stand in the way then.
    Found Open(const std::wstring& sName, PlainFile& file, std::wstring& why,
               bool bToDelete = true) const;

  private:
    Found OpenOnce(const std::wstring& sName, PlainFile& file, std::wstring& why,
                   bool bToDelete) const;

    std::wstring path_; // as given
    std::wstring name_; // from its volume's root, as the file system reports it
    ScopedWin::UniqueFile handle_;
    std::wstring why_;
    bool noDeletes_ = false; // see DeletesRefused (FolderCheck.h)
    bool inUse_ = false;
};

// What the platform said of a file opened by name in a CheckedFolder (put in from
// outside by tests: Wine makes no reparse points, and answers every query at once).
struct OpenedFacts {
    DWORD attributes = 0;
    DWORD links = 1; // the names the file has (more than one: a hard link)
    LinkAnswer link = LinkAnswer::Unknown;
    bool named = false; // FileNameInfo answered: `name` is its path from the volume's root
    std::wstring name;  // otherwise the system's reason
};
// Whether it is a plain file of its own standing directly in the folder whose path from
// the volume's root is sFolderName; on Plain, sLeaf is the name it stands under.
CheckedFolder::Found JudgeOpened(const std::wstring& sFolderName, const OpenedFacts& facts,
                                 std::wstring& sLeaf, std::wstring& why);

// The folders a run examines, each opened once and held until the run ends.
class HeldFolders {
  public:
    const CheckedFolder& In(const std::wstring& sFolder);

  private:
    std::vector<std::unique_ptr<CheckedFolder>> folders_;
};

} // namespace CommonModule
