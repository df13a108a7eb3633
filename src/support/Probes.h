#pragma once
// File-system probes, folder creation and the redirection bracket.
// The special-folder lookup has a header of its own; code written when it was declared
// here still finds it.
#include "support/ShellFolders.h"

#include <windows.h>

#include <string>

namespace CommonModule {

// The redirection bracket: a flag that the file-system calls raise while they run and
// that FindFiles' error report prints. A flag, not a counter: brackets do not nest,
// so a probe inside an open bracket closes it.
extern bool bFSRedirDisabled;
void DisableFSRedir();
void RevertFSRedir();
// Holds the bracket open for its lifetime, so that no early return has to close it.
class FSRedirBracket {
  public:
    FSRedirBracket() noexcept { DisableFSRedir(); }
    ~FSRedirBracket() { RevertFSRedir(); }
    FSRedirBracket(const FSRedirBracket&) = delete;
    FSRedirBracket& operator=(const FSRedirBracket&) = delete;
};

// What stands at a path, by its attributes: a folder, or anything else that exists
// (a file). No bracket, no debug line; any path the system accepts.
bool IsExistingFolder(const std::wstring& sPath);
bool IsExistingFile(const std::wstring& sPath);

// The program's probes: absolute paths only, through the ANSI code page, bracketed.
bool DoesDirExist(const std::wstring& sPath);
bool DoesDirExistNoDebug(const std::wstring& sPath);
bool DoesFileExist(const std::wstring& sPath);
bool DoesFileExistLongPath(const std::wstring& sPath);
// "\\?\" form of an absolute path ("\\?\UNC\" for a "\\server\share" path); a path
// already in that form comes back unchanged.
std::wstring ExtendedLengthPath(const std::wstring& sPath);
// Why the file cannot be opened for reading: "" when it can, "" with bMissing when
// nothing is there, otherwise the system's reason (a file another process holds open,
// one the user may not read).
std::wstring WhyNotReadable(const std::wstring& sPath, bool& bMissing);
bool CreateDirPath(const std::wstring& sPath);
// What stands at the path, as its folder's listing would show it: the attributes, the
// size and the times, from one attribute query, and for a reparse point its tag
// (dwReserved0, see IsLinkEntry) from a lookup of the name; no name (cFileName). False
// when nothing is there (or the path holds a wildcard).
bool EntryAt(const std::wstring& sPath, WIN32_FIND_DATAW& found);
// A file that is no folder and no link stands at the path (see IsLinkEntry).
bool IsPlainFileAt(const std::wstring& sPath);
// True when both paths name plain files (no folder, no link) of the same size
// and the same last-write time: what a mirroring copy takes for "the same file".
bool FilesMatch(const std::wstring& sSource, const std::wstring& sDest);
// A plain file's attributes, size and times, asked through a handle that follows no link;
// false for a folder, a link, or what cannot be opened.
bool PlainFileData(const std::wstring& sPath, WIN32_FILE_ATTRIBUTE_DATA& data);
// The same, with the source's attributes, size and time already at hand: those of a
// listing's entry that is no link.
bool FilesMatch(const WIN32_FILE_ATTRIBUTE_DATA& source, const std::wstring& sDest);
// The same comparison of two files' sizes and last-write times, both already known.
bool SameSizeAndTime(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b);

} // namespace CommonModule
