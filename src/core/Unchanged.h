#pragma once
// Repeat installs at every logon: what is installed already and unchanged is left
// alone, so that a logon with nothing new costs reads only.
#include "core/FolderListing.h"
#include "core/InstallRecord.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace Module1 {

struct InstallRun;

// True when the file of the source's name in the destination folder is the same file
// (plain file, same size, same last-write time); says so on the debug output. A
// source with a wildcard never counts as installed.
bool InstalledCopyUnchanged(InstallRun& run, const std::wstring& sSource,
                            const std::wstring& sDestFolder);

// The same question, asked without a word: whether the copy would be left alone.
bool CopyInPlace(InstallRun& run, const std::wstring& sSource, const std::wstring& sDestFolder);
// The line (and count) of a copy left alone.
void SayCopyUnchanged(InstallRun& run, const std::wstring& sDest);

// How a plain file standing under a shortcut's name is judged. The run's listing of its
// folder (`listed`; none when it did not show it, or it was written since) and the
// install record answer first: the same size and time as recorded, and recorded fields
// equal to `wanted`, is unchanged without a read. Only otherwise is it read (`read`),
// which for an online-only file (a Desktop in OneDrive) means a download; one whose
// read fails could not be checked and is never rewritten.
enum class LinkVerdict { Unchanged, Write, Unchecked };
LinkVerdict JudgeShortcut(const FolderListing::Entry* listed, const std::wstring& sFolder,
                          const RecordedShortcut& recorded, const LinkFields& wanted,
                          const std::function<std::optional<LinkFields>()>& read);
// Whether the listing shows an online-only file, whose read means a download.
bool OnlineOnly(const FolderListing::Entry* listed);
// Why an Unchecked shortcut is kept.
inline constexpr wchar_t kLinkUnchecked[] =
    L"kept as it is, it could not be checked: an online-only file that could not be read "
    L"(not downloaded)";

// CreateLink, unless the link at sLinkFile holds exactly what it would write (said on
// the debug output; see JudgeShortcut, with `recorded` the configuration's record). True
// when the link is in place as asked. Given why, a failed write, or a link that could
// not be checked, leaves the debug line to the caller and says in why what failed.
bool CreateLinkUnlessUnchanged(InstallRun& run, const RecordedShortcut& recorded,
                               const std::wstring& sLinkDesc, const std::wstring& sLinkFile,
                               const std::wstring& sExeFile, const std::wstring& sWorkDir,
                               const std::wstring& sExeArgs, int IconIdx, WORD iHotKey, int eShow,
                               const std::wstring& sDifferentIconPath, std::wstring* why = nullptr);

// The two halves of that: whether the link is in place as it would be written (said
// nowhere), its line, and the write.
LinkVerdict LinkInPlace(InstallRun& run, const RecordedShortcut& recorded,
                        const std::wstring& sLinkDesc, const std::wstring& sLinkFile,
                        const std::wstring& sExeFile, const std::wstring& sWorkDir,
                        const std::wstring& sExeArgs, int IconIdx, WORD iHotKey, int eShow,
                        const std::wstring& sDifferentIconPath);
void SayLinkUnchanged(InstallRun& run, const std::wstring& sLinkFile);
bool WriteLink(InstallRun& run, const std::wstring& sLinkDesc, const std::wstring& sLinkFile,
               const std::wstring& sExeFile, const std::wstring& sWorkDir,
               const std::wstring& sExeArgs, int IconIdx, WORD iHotKey, int eShow,
               const std::wstring& sDifferentIconPath, std::wstring* why);

// What a link written with these values holds when read back (CreateLink's arguments;
// an empty sDifferentIconPath stands for the executable's own icon).
LinkFields StoredLinkFields(const std::wstring& sLinkDesc, const std::wstring& sExeFile,
                            const std::wstring& sWorkDir, const std::wstring& sExeArgs, int IconIdx,
                            WORD iHotKey, int eShow, const std::wstring& sDifferentIconPath);
// What a plain, readable link at sLinkFile holds; none when it is not one.
std::optional<LinkFields> ReadLinkFields(const std::wstring& sLinkFile);
// The same, for a caller that knows already that a plain file stands there.
std::optional<LinkFields> ReadPlainLinkFields(const std::wstring& sLinkFile);
// True when a plain, readable link at sLinkFile holds exactly `fields`.
bool LinkHolds(const std::wstring& sLinkFile, const LinkFields& fields);

} // namespace Module1
