#pragma once
// The run's source files (Templates, AltIcons) as one listing of each folder shows them:
// on a file server each question asked of a file itself is a round trip, and the
// listing has answered them all at once.
#include <string>

namespace Module1 {

struct InstallRun;

// Whether the source file is there: a plain file in the listing of its folder, or, for
// a name that listing cannot vouch for (a link, a subfolder's file, a short name), as
// DoesFileExist finds it.
bool SourceThere(InstallRun& run, const std::wstring& sSource);

// Whether the source is there as a plain file of no bytes: an upload that failed, since
// no Office template is empty.
bool SourceEmpty(InstallRun& run, const std::wstring& sSource);

// CopyFilesVerified into sDestFolder; a source that the listing vouches for is copied
// without a further question to it, and checked against what the listing showed.
bool CopySource(InstallRun& run, const std::wstring& sSource, const std::wstring& sDestFolder,
                const std::wstring& sWho, std::wstring& why);

} // namespace Module1
