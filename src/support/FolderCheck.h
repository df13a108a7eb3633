#pragma once
// Whether a folder of the user's profile is where the shell said it is. A user can put
// a junction or link in place of a folder of their own profile; a process with
// administrator rights that wrote into it would write wherever the link points.
#include <string>

namespace CommonModule {

// True when the folder, as the file system opens it, has the path it was given: no link
// or junction along the way has moved it. A folder that does not exist yet is judged by
// its nearest existing parent. False with one sentence in why otherwise. Folders that
// policy redirects to a share are reported by the shell with the share's path and pass.
bool FolderIsWhereReported(const std::wstring& sFolder, std::wstring& why);

} // namespace CommonModule
