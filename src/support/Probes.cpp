#include "support/Probes.h"

#include "support/DebugLog.h"
#include "support/LinkTag.h"
#include "support/ScopedWin.h"

namespace CommonModule {

bool bFSRedirDisabled = false;

// The bracket only keeps its flag: the process never asks the system to turn file-system
// redirection off, so there is nothing to undo.
void DisableFSRedir() {
    bFSRedirDisabled = true;
}

void RevertFSRedir() {
    bFSRedirDisabled = false;
}

namespace {

// Drive paths ("C:...") and UNC paths ("\\...") have one of these as their second
// character; anything else is relative and is turned away before the disk is touched.
bool LooksAbsolute(const std::wstring& sPath) {
    return sPath.size() >= 2 && (sPath[1] == L'\\' || sPath[1] == L':') &&
           sPath.find(L'\0') == std::wstring::npos;
}

// Decided by the directory bit: a file that cannot be opened (held without sharing, no
// read access) is still a file, not a folder.
bool NamesFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool NamesFile(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Paths up to this length take the plain probe; longer ones the extended-length form,
// with a debug line giving their length.
constexpr size_t kOpenFileMaxPath = 116;

// Opened and closed at once with the sharing an existence test has always asked for,
// so a file another process holds without sharing counts as not there.
bool OpensAsFile(const std::wstring& sPath) {
    const ScopedWin::UniqueFile h(CreateFileW(sPath.c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(h);
}

// Creates the folder and every missing parent; the parents are only looked at when the
// folder itself cannot be made.
void MakeFolderTree(const std::wstring& sPath) {
    if (CreateDirectoryW(sPath.c_str(), nullptr) || GetLastError() != ERROR_PATH_NOT_FOUND) return;
    const size_t cut = sPath.find_last_of(L'\\');
    if (cut == std::wstring::npos || cut < 3) return;
    MakeFolderTree(sPath.substr(0, cut));
    CreateDirectoryW(sPath.c_str(), nullptr);
}

} // namespace

bool IsExistingFolder(const std::wstring& sPath) {
    return NamesFolder(GetFileAttributesW(sPath.c_str()));
}

bool IsExistingFile(const std::wstring& sPath) {
    return NamesFile(GetFileAttributesW(sPath.c_str()));
}

bool DoesDirExist(const std::wstring& sPath) {
    if (!LooksAbsolute(sPath)) return false;
    const FSRedirBracket bracket;
    return NamesFolder(GetFileAttributesW(sPath.c_str()));
}

bool DoesDirExistNoDebug(const std::wstring& sPath) {
    return DoesDirExist(sPath);
}

bool DoesFileExist(const std::wstring& sPath) {
    if (sPath.size() > kOpenFileMaxPath) {
        const bool found = DoesFileExistLongPath(sPath);
        DPrint(sPath.size());
        return found;
    }
    if (!LooksAbsolute(sPath)) return false;
    const FSRedirBracket bracket;
    return OpensAsFile(sPath);
}

std::wstring ExtendedLengthPath(const std::wstring& sPath) {
    if (sPath.starts_with(L"\\\\?\\")) return sPath;
    if (sPath.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + sPath.substr(2);
    return L"\\\\?\\" + sPath;
}

bool DoesFileExistLongPath(const std::wstring& sPath) {
    if (sPath.empty() || sPath.find(L'\0') != std::wstring::npos) return false;
    const ScopedWin::UniqueFile h(CreateFileW(ExtendedLengthPath(sPath).c_str(), GENERIC_READ,
                                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    return static_cast<bool>(h);
}

std::wstring WhyNotReadable(const std::wstring& sPath, bool& bMissing) {
    bMissing = false;
    // Shared as widely as a reader can ask: only what another process refuses counts.
    const ScopedWin::UniqueFile h(
        CreateFileW(ExtendedLengthPath(sPath).c_str(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    0, nullptr));
    if (h) return {};
    const DWORD error = GetLastError();
    bMissing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
               error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH;
    return bMissing ? std::wstring() : Win32Error(error).description;
}

bool EntryAt(const std::wstring& sPath, WIN32_FIND_DATAW& found) {
    if (sPath.empty() || sPath.find_first_of(L"*?") != std::wstring::npos) return false;
    // One attribute query answers for all but a reparse point: a lookup of one name in
    // a listing costs a folder open (and under Wine a read of the whole folder).
    const std::wstring path = sPath.size() < MAX_PATH ? sPath : ExtendedLengthPath(sPath);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    if (!MayBeLink(data.dwFileAttributes)) {
        found = {};
        found.dwFileAttributes = data.dwFileAttributes;
        found.ftCreationTime = data.ftCreationTime;
        found.ftLastAccessTime = data.ftLastAccessTime;
        found.ftLastWriteTime = data.ftLastWriteTime;
        found.nFileSizeHigh = data.nFileSizeHigh;
        found.nFileSizeLow = data.nFileSizeLow;
        return true;
    }
    const ScopedWin::UniqueFind search(
        FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0));
    return static_cast<bool>(search);
}

bool IsPlainFileAt(const std::wstring& sPath) {
    WIN32_FIND_DATAW found{};
    return EntryAt(sPath, found) && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !IsLinkEntry(found);
}

bool CreateDirPath(const std::wstring& sPath) {
    // A relative path would be created below whatever the current folder happens to be,
    // and then still be reported as missing.
    if (!LooksAbsolute(sPath)) return false;
    std::wstring folder = sPath;
    while (folder.size() > 3 && folder.back() == L'\\')
        folder.pop_back();
    if (!DoesDirExist(folder)) {
        const FSRedirBracket bracket;
        MakeFolderTree(folder);
    }
    return DoesDirExist(sPath);
}

// Through a handle, not a listing: a working folder is held open in a way that lets no
// one list it.
bool PlainFileData(const std::wstring& sPath, WIN32_FILE_ATTRIBUTE_DATA& data) {
    if (!LooksAbsolute(sPath)) return false;
    const ScopedWin::UniqueFile h(
        CreateFileW(ExtendedLengthPath(sPath).c_str(), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!h || !GetFileInformationByHandle(h.get(), &info)) return false;
    data = {info.dwFileAttributes, info.ftCreationTime, info.ftLastAccessTime,
            info.ftLastWriteTime,  info.nFileSizeHigh,  info.nFileSizeLow};
    // A link planted in place of a file reports its own size and time, not its target's.
    return !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           LinkOfHandle(h.get()) == LinkAnswer::Plain;
}

bool FilesMatch(const std::wstring& sSource, const std::wstring& sDest) {
    WIN32_FILE_ATTRIBUTE_DATA source{};
    return PlainFileData(sSource, source) && FilesMatch(source, sDest);
}

bool FilesMatch(const WIN32_FILE_ATTRIBUTE_DATA& source, const std::wstring& sDest) {
    WIN32_FILE_ATTRIBUTE_DATA dest{};
    if ((source.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !PlainFileData(sDest, dest))
        return false;
    return SameSizeAndTime(source, dest);
}

bool SameSizeAndTime(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b) {
    return a.nFileSizeHigh == b.nFileSizeHigh && a.nFileSizeLow == b.nFileSizeLow &&
           CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
}

} // namespace CommonModule
