#include "core/Unchanged.h"

#include "core/InstallRun.h"
#include "shell/cShellLinkA.h"
#include "support/DebugLog.h"
#include "support/Probes.h"
#include "support/ScopedWin.h"
#include "support/Strings.h"
#include "support/Text.h"

namespace Module1 {

namespace {

// The link format knows three show commands and starts the program as SW_SHOWNORMAL
// for any other value (SW_SHOW among them), so links are compared by that effect.
// Wine's link loader, besides, reports every stored value as SW_SHOWNORMAL.
int ShowEffect(long show) {
    return show == SW_SHOWMAXIMIZED || show == SW_SHOWMINNOACTIVE ? static_cast<int>(show)
                                                                  : SW_SHOWNORMAL;
}

// A plain file: a link or junction planted in place of a shortcut is replaced, never
// read through and kept. A cloud placeholder (a Desktop in OneDrive) is a plain file.
bool PlainFile(const std::wstring& sPath) {
    return CommonModule::IsPlainFileAt(sPath);
}

// The run's listing of the folder already tells a plain file from a link or a folder,
// with its size and time; a name it did not show, or one written since, is asked on
// its own.
bool ListedPlain(InstallRun& run, const std::wstring& sFolder, const std::wstring& sName) {
    if (const FolderListing::Entry* listed = run.knownNames.Listed(sFolder, sName))
        return !listed->link && !(listed->data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    return PlainFile(sFolder + L"\\" + sName);
}

bool CopyMatches(InstallRun& run, const WIN32_FILE_ATTRIBUTE_DATA& source,
                 const std::wstring& sFolder, const std::wstring& sName) {
    const FolderListing::Entry* listed = run.knownNames.Listed(sFolder, sName);
    if (!listed) return CommonModule::FilesMatch(source, sFolder + L"\\" + sName);
    return !((source.dwFileAttributes | listed->data.dwFileAttributes) &
             FILE_ATTRIBUTE_DIRECTORY) &&
           !listed->link && CommonModule::SameSizeAndTime(source, listed->data);
}

// The folder part and the name part of a path.
std::pair<std::wstring, std::wstring> SplitPath(const std::wstring& sPath) {
    const size_t cut = sPath.find_last_of(L'\\');
    if (cut == std::wstring::npos) return {L"", sPath};
    return {sPath.substr(0, cut), sPath.substr(cut + 1)};
}

} // namespace

bool CopyInPlace(InstallRun& run, const std::wstring& sSource, const std::wstring& sDestFolder) {
    const std::wstring name = CommonModule::StripPath(sSource);
    if (name.empty() || sSource.find_first_of(L"*?") != std::wstring::npos) return false;
    const std::wstring dest = sDestFolder + L"\\" + name;
    if (!run.knownNames.MayHold(sDestFolder, name)) return false;
    const auto [sourceFolder, sourceName] = SplitPath(sSource);
    WIN32_FILE_ATTRIBUTE_DATA source{};
    return run.sourceFiles.Find(sourceFolder, sourceName, source)
               ? CopyMatches(run, source, sDestFolder, name)
               : CommonModule::FilesMatch(sSource, dest);
}

void SayCopyUnchanged(InstallRun& run, const std::wstring& sDest) {
    CommonModule::DPrint(L"unchanged, not copied: " + sDest);
    ++run.tally.unchanged;
}

bool InstalledCopyUnchanged(InstallRun& run, const std::wstring& sSource,
                            const std::wstring& sDestFolder) {
    if (!CopyInPlace(run, sSource, sDestFolder)) return false;
    SayCopyUnchanged(run, sDestFolder + L"\\" + CommonModule::StripPath(sSource));
    return true;
}

LinkFields StoredLinkFields(const std::wstring& sLinkDesc, const std::wstring& sExeFile,
                            const std::wstring& sWorkDir, const std::wstring& sExeArgs, int IconIdx,
                            WORD iHotKey, int eShow, const std::wstring& sDifferentIconPath) {
    const std::wstring icon =
        sDifferentIconPath.empty() ? cShellLinkA::OwnIcon(sExeFile) : sDifferentIconPath;
    return {sExeFile, sExeArgs,
            sWorkDir, sLinkDesc,
            icon,     static_cast<DWORD>(IconIdx),
            iHotKey,  static_cast<DWORD>(ShowEffect(eShow))};
}

std::optional<LinkFields> ReadLinkFields(const std::wstring& sLinkFile) {
    if (!PlainFile(sLinkFile)) return std::nullopt;
    return ReadPlainLinkFields(sLinkFile);
}

std::optional<LinkFields> ReadPlainLinkFields(const std::wstring& sLinkFile) {
    cShellLinkA link;
    if (!link.GetLinkInfo(sLinkFile)) return std::nullopt;
    BYTE modifiers = 0, key = 0;
    link.GetHotKeyInfo(modifiers, key);
    return LinkFields{link.ExeName(),           link.ExeArgs(),
                      link.WorkingDir(),        link.Description(),
                      link.IconFile(),          static_cast<DWORD>(link.IconIndex()),
                      MAKEWORD(key, modifiers), static_cast<DWORD>(ShowEffect(link.ShowCommand()))};
}

bool LinkHolds(const std::wstring& sLinkFile, const LinkFields& fields) {
    const std::optional<LinkFields> read = ReadLinkFields(sLinkFile);
    return read && *read == fields;
}

namespace {

// Whether the listing shows the recorded file as it was recorded: the same path, size
// and last-write time.
bool ListedAsRecorded(const FolderListing::Entry* listed, const std::wstring& sFolder,
                      const RecordedFile& recorded) {
    return listed && !recorded.path.empty() &&
           Text::EqualsNoCase(recorded.path, sFolder + L"\\" + listed->name) &&
           recorded.size ==
               ((ULONGLONG{listed->data.nFileSizeHigh} << 32) | listed->data.nFileSizeLow) &&
           recorded.time == ((ULONGLONG{listed->data.ftLastWriteTime.dwHighDateTime} << 32) |
                             listed->data.ftLastWriteTime.dwLowDateTime);
}

} // namespace

LinkVerdict JudgeShortcut(const FolderListing::Entry* listed, const std::wstring& sFolder,
                          const RecordedShortcut& recorded, const LinkFields& wanted,
                          const std::function<std::optional<LinkFields>()>& read) {
    if (ListedAsRecorded(listed, sFolder, recorded.file) && recorded.fields == wanted)
        return LinkVerdict::Unchanged;
    const std::optional<LinkFields> fields = read();
    if (fields) return *fields == wanted ? LinkVerdict::Unchanged : LinkVerdict::Write;
    // Rewritten, it would be uploaded again in place of what the user may have changed.
    return OnlineOnly(listed) ? LinkVerdict::Unchecked : LinkVerdict::Write;
}

bool OnlineOnly(const FolderListing::Entry* listed) {
    // FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS | FILE_ATTRIBUTE_RECALL_ON_OPEN
    constexpr DWORD kOnlineOnly = 0x00400000 | 0x00040000;
    return listed && (listed->data.dwFileAttributes & kOnlineOnly);
}

LinkVerdict LinkInPlace(InstallRun& run, const RecordedShortcut& recorded,
                        const std::wstring& sLinkDesc, const std::wstring& sLinkFile,
                        const std::wstring& sExeFile, const std::wstring& sWorkDir,
                        const std::wstring& sExeArgs, int IconIdx, WORD iHotKey, int eShow,
                        const std::wstring& sDifferentIconPath) {
    // Without a link path or a target CreateLink writes nothing; a link that is not there
    // counts as different.
    const auto [folder, name] = SplitPath(sLinkFile);
    if (sLinkFile.empty() || sExeFile.empty() || !run.knownNames.MayHold(folder, name) ||
        !ListedPlain(run, folder, name))
        return LinkVerdict::Write;
    return JudgeShortcut(run.knownNames.Listed(folder, name), folder, recorded,
                         StoredLinkFields(sLinkDesc, sExeFile, sWorkDir, sExeArgs, IconIdx, iHotKey,
                                          eShow, sDifferentIconPath),
                         [&] { return ReadPlainLinkFields(sLinkFile); });
}

void SayLinkUnchanged(InstallRun& run, const std::wstring& sLinkFile) {
    CommonModule::DPrint(L"unchanged, not saved: " + sLinkFile);
    ++run.tally.unchanged;
}

bool WriteLink(InstallRun& run, const std::wstring& sLinkDesc, const std::wstring& sLinkFile,
               const std::wstring& sExeFile, const std::wstring& sWorkDir,
               const std::wstring& sExeArgs, int IconIdx, WORD iHotKey, int eShow,
               const std::wstring& sDifferentIconPath, std::wstring* why) {
    const auto [folder, name] = SplitPath(sLinkFile);
    cShellLinkA link;
    if (why) link.LeaveReportsToCaller();
    if (link.CreateLink(run.workingFolders, sLinkDesc, sLinkFile, sExeFile, sWorkDir, sExeArgs,
                        IconIdx, iHotKey, eShow, sDifferentIconPath)) {
        run.knownNames.Written(folder, name);
        ++run.tally.installed;
        return true;
    }
    if (why) *why = link.Failure();
    return false;
}

bool CreateLinkUnlessUnchanged(InstallRun& run, const RecordedShortcut& recorded,
                               const std::wstring& sLinkDesc, const std::wstring& sLinkFile,
                               const std::wstring& sExeFile, const std::wstring& sWorkDir,
                               const std::wstring& sExeArgs, int IconIdx, WORD iHotKey, int eShow,
                               const std::wstring& sDifferentIconPath, std::wstring* why) {
    const LinkVerdict verdict = LinkInPlace(run, recorded, sLinkDesc, sLinkFile, sExeFile, sWorkDir,
                                            sExeArgs, IconIdx, iHotKey, eShow, sDifferentIconPath);
    if (verdict == LinkVerdict::Unchanged) {
        SayLinkUnchanged(run, sLinkFile);
        return true;
    }
    if (verdict == LinkVerdict::Unchecked) {
        if (why)
            *why = kLinkUnchecked;
        else
            CommonModule::DPrint(L"CreateLink Error:  \"" + sLinkFile + L"\": " + kLinkUnchecked);
        return false;
    }
    return WriteLink(run, sLinkDesc, sLinkFile, sExeFile, sWorkDir, sExeArgs, IconIdx, iHotKey,
                     eShow, sDifferentIconPath, why);
}

} // namespace Module1
