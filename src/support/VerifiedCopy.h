#pragma once
// The copy whose result can be believed. The shell's copy answers success for copies
// that did not happen (a file held open, a full disk, a path too long, a folder where
// the file should go), and writes over the old file as it goes.
#include "support/Staging.h"

#include <windows.h>

#include <functional>
#include <string>

namespace CommonModule {

// Copies what sSource names (a file, a folder, or a wildcard such as "Templates\*.*")
// into sDestFolder through CopyFiles, first into a working folder beside the
// destination's files (Staging.h). Each file that arrived whole (FilesMatch) then takes
// the place of its namesake in one step; each one that did not, or could not take its
// place, leaves the old file as it was and gets one debug line naming it, starting
// with sWho. True when every file stands in sDestFolder; otherwise why holds the first
// failure's sentence.
bool CopyFilesVerified(const std::wstring& sSource, const std::wstring& sDestFolder,
                       const std::wstring& sWho, std::wstring& why);
// The same, staging in the run's working folders, which outlive the copy.
bool CopyFilesVerified(WorkingFolders& workingFolders, const std::wstring& sSource,
                       const std::wstring& sDestFolder, const std::wstring& sWho,
                       std::wstring& why);
// The same for one plain file whose name, size and last-write time a listing of its
// folder gave (sListedName, listed): nothing else is asked of the source, and the
// staged copy must match what the listing showed. A copy that failed because the
// source cannot be read says why in the system's words.
bool CopyListedFileVerified(WorkingFolders& workingFolders, const std::wstring& sSource,
                            const std::wstring& sListedName,
                            const WIN32_FILE_ATTRIBUTE_DATA& listed,
                            const std::wstring& sDestFolder, const std::wstring& sWho,
                            std::wstring& why);

// Whether a staged copy (none: no plain file arrived) is the listed source's: by the
// listing's size and time, and, when those disagree, by the source's own, asked once
// through a handle (`sourceNow`, put in from outside by tests): a listing's attribute
// information "may not be current" on NTFS.
enum class StagedVerdict { Copied, NotCopied, SourceChanged };
StagedVerdict JudgeStaged(const WIN32_FILE_ATTRIBUTE_DATA& listed,
                          const WIN32_FILE_ATTRIBUTE_DATA* staged,
                          const std::function<bool(WIN32_FILE_ATTRIBUTE_DATA&)>& sourceNow);

// The same file, staged already by an earlier copy of many (CopyFilesInto into the
// working folder of sDestFolder): put in place when it arrived as listed, otherwise
// copied once more on its own, so that a failure says why in the shell's words.
bool PlaceStagedListedFile(WorkingFolders& workingFolders, const std::wstring& sSource,
                           const std::wstring& sListedName, const WIN32_FILE_ATTRIBUTE_DATA& listed,
                           const std::wstring& sDestFolder, const std::wstring& sWho,
                           std::wstring& why);

} // namespace CommonModule
