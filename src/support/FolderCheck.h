#pragma once
// Whether a folder of the user's profile is where the shell said it is. A user can put
// a junction or link in place of a folder of their own profile; an elevated process
// that wrote into it would write wherever the link points. A process with the user's
// own rights can do no more through the link than the user can anyway, and redirected
// folders on file servers (DFS namespaces, parents the user may not read) do not answer
// the comparison truthfully, so only an elevated process compares, and not on the network.
#include <functional>
#include <string>

namespace CommonModule {

// Whether the drive of a path like "Z:\" is a network drive (GetDriveTypeW).
using RemoteDriveQuery = std::function<bool(const std::wstring& root)>;

// True for a UNC path (also in the "\\?\UNC\" form) and for a path on a network drive.
bool IsOnNetwork(const std::wstring& path, const RemoteDriveQuery& isRemoteDrive);

// Whether the folder's final path must equal the reported one before anything is
// written into it: only in an elevated process, and only when neither path is on the
// network. finalPath is "" while unknown or when the query failed; a "true" then means
// the folder cannot be vouched for.
bool FinalPathMustMatch(bool elevated, const std::wstring& reported, const std::wstring& finalPath,
                        const RemoteDriveQuery& isRemoteDrive);

// Whether the process runs elevated; one whose token cannot be asked counts as elevated.
bool ProcessIsElevated();

// Whether an elevated process deletes nothing in the folder: on the network a handle
// opened relative to the folder's reaches the server as a path, looked up again there
// (SMB's create request has no root folder), so a link the user put on the server
// between the check and the delete would turn the delete elsewhere.
bool DeletesRefused(bool elevated, const std::wstring& folder,
                    const RemoteDriveQuery& isRemoteDrive);
bool DeletesRefused(const std::wstring& folder); // for this process

// True when the folder may be written into: the process is not elevated, the folder is
// on the network, or as the file system opens it it has the path it was given (no link
// or junction along the way has moved it). A folder that does not exist yet is judged
// by its nearest existing parent. False with one sentence in why otherwise.
bool FolderIsWhereReported(const std::wstring& sFolder, std::wstring& why);

} // namespace CommonModule
