#pragma once
// Files reached through the handle of the folder they stand in, never by a path looked
// up again: a folder on the way swapped for a junction after the folder was checked
// cannot lead an open, a listing or a delete elsewhere. That holds on local volumes
// only. SMB 2 and 3 have no relative open (the create request has no root folder): the
// redirector sends the folder's path with the name, and the server looks it up again,
// so on a Desktop or AppData redirected to a server this is no more than a path; an
// elevated run deletes nothing there (DeletesRefused, FolderCheck.h).
#include "support/ScopedWin.h"

#include <windows.h>

#include <string>
#include <vector>

namespace CommonModule {

// Opens sName, a name directly in the folder `folder` holds, relative to that handle
// and without following a link under that name (FILE_SHARE_* in `share`). `options` may
// add FILE_DIRECTORY_FILE or FILE_NON_DIRECTORY_FILE. On failure the handle is empty
// and status says why.
ScopedWin::UniqueFile OpenInFolder(HANDLE folder, const std::wstring& sName, ACCESS_MASK access,
                                   ULONG share, ULONG options, LONG& status);
// Makes the folder sName directly in `folder` with the given security and returns it
// opened: the handle is of the folder made, with nothing between its making and its
// opening. Fails (IsCollisionStatus) when the name is taken.
ScopedWin::UniqueFile MakeFolderIn(HANDLE folder, const std::wstring& sName, ACCESS_MASK access,
                                   PSECURITY_DESCRIPTOR security, LONG& status);
bool IsCollisionStatus(LONG status);
// The status says nothing stands under the name.
bool IsMissingStatus(LONG status);
// The status says a folder stands where a file was asked for.
bool IsFolderStatus(LONG status);
// The status says another process holds it in a way that excludes the open.
bool IsSharingStatus(LONG status);
// The system's reason for a status.
std::wstring StatusText(LONG status);

// An entry of a folder's listing, as the file system returned it.
struct ListedEntry {
    std::wstring name;
    DWORD attributes = 0;
    DWORD reparseTag = 0; // counts only for a reparse point (see IsLinkTag)
};
// The entries of one buffer of FILE_ID_BOTH_DIR_INFO records, without "." and "..".
// (Put in from outside by tests: Wine makes no reparse points.)
void AddListed(const BYTE* buffer, std::vector<ListedEntry>& entries);
// The folder's entries, listed through its handle (FILE_LIST_DIRECTORY access).
bool ListThrough(HANDLE folder, std::vector<ListedEntry>& entries, std::wstring& why);

// The handle's path from its volume's root (FileNameInfo): one query, answered by the
// file or its server at once. False with the system's reason in why.
bool NameOfHandle(HANDLE h, std::wstring& name, std::wstring& why);

// Whether sName (a path from the volume's root, see NameOfHandle) stands directly in the
// folder sFolderName, and under which name (sLeaf). Without regard to letter case.
bool DirectlyIn(const std::wstring& sFolderName, const std::wstring& sName, std::wstring& sLeaf);

// Deletes the file or folder h holds (opened with DELETE access and, for a read-only
// file, FILE_WRITE_ATTRIBUTES), whose attributes are given: a read-only one too.
bool DeleteThrough(HANDLE h, DWORD attributes, std::wstring& why);

// Deletes everything in the folder h holds (sFolderName: NameOfHandle), each entry
// through a handle relative to it and folders within it in the same way. A link goes as
// a name; what it leads to is not touched. A file with other names (a hard link) stays
// untouched, as does whatever a link the platform followed all the same led to: false,
// and why names it.
bool EmptyThrough(HANDLE h, const std::wstring& sFolderName, std::wstring& why);

} // namespace CommonModule
