#include "support/FolderCheck.h"

#include "support/DebugLog.h"
#include "support/ScopedWin.h"
#include "support/Staging.h"
#include "support/Text.h"

#include <windows.h>

#include <vector>

namespace CommonModule {

namespace {

std::wstring WithoutTrailingBackslash(std::wstring path) {
    while (path.size() > 3 && path.back() == L'\\')
        path.pop_back();
    return path;
}

// "\\?\C:\x" -> "C:\x", "\\?\UNC\server\share" -> "\\server\share".
std::wstring PlainForm(std::wstring path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + path.substr(8);
    if (path.starts_with(L"\\\\?\\")) return path.substr(4);
    return path;
}

std::wstring FinalPath(HANDLE h) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetFinalPathNameByHandleW(h, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        // Wine answers a short buffer with 0 and ERROR_MORE_DATA instead of the size.
        if (n == 0 && GetLastError() == ERROR_MORE_DATA && buffer.size() < 0x8000)
            buffer.resize(buffer.size() * 2);
        else if (n == 0)
            return {};
        else if (n < buffer.size())
            return std::wstring(buffer.data(), n);
        else
            buffer.resize(n + 1);
    }
}

// Short (8.3) names, which the opened folder's path never has, hold a "~".
std::wstring LongForm(const std::wstring& path) {
    if (path.find(L'~') == std::wstring::npos) return path;
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD n = GetLongPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n >= buffer.size()) {
        buffer.resize(n + 1);
        n = GetLongPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    }
    return n > 0 && n < buffer.size() ? std::wstring(buffer.data(), n) : path;
}

bool DriveIsRemote(const std::wstring& root) {
    return GetDriveTypeW(root.c_str()) == DRIVE_REMOTE;
}

} // namespace

// A token that cannot be asked counts as elevated: the check then runs.
bool ProcessIsElevated() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return true;
    const ScopedWin::UniqueHandle token(raw);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (!GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size))
        return true;
    return elevation.TokenIsElevated != 0;
}

bool DeletesRefused(bool elevated, const std::wstring& folder,
                    const RemoteDriveQuery& isRemoteDrive) {
    return elevated && IsOnNetwork(folder, isRemoteDrive);
}

bool DeletesRefused(const std::wstring& folder) {
    return DeletesRefused(ProcessIsElevated(), folder, DriveIsRemote);
}

bool IsOnNetwork(const std::wstring& path, const RemoteDriveQuery& isRemoteDrive) {
    const std::wstring plain = PlainForm(path);
    if (plain.starts_with(L"\\\\")) return !plain.starts_with(L"\\\\.\\");
    return plain.size() >= 2 && plain[1] == L':' && isRemoteDrive(plain.substr(0, 2) + L"\\");
}

bool FinalPathMustMatch(bool elevated, const std::wstring& reported, const std::wstring& finalPath,
                        const RemoteDriveQuery& isRemoteDrive) {
    if (!elevated || IsOnNetwork(reported, isRemoteDrive)) return false;
    return finalPath.empty() || !IsOnNetwork(finalPath, isRemoteDrive);
}

bool FolderIsWhereReported(const std::wstring& sFolder, std::wstring& why) {
    const bool elevated = ProcessIsElevated();
    if (!FinalPathMustMatch(elevated, sFolder, {}, DriveIsRemote)) return true;
    std::wstring existing = WithoutTrailingBackslash(sFolder);
    while (!existing.empty() &&
           GetFileAttributesW(LongPathSafe(existing).c_str()) == INVALID_FILE_ATTRIBUTES) {
        const size_t cut = existing.find_last_of(L'\\');
        existing = cut == std::wstring::npos ? std::wstring() : existing.substr(0, cut);
    }
    if (existing.empty()) {
        why = L"no part of \"" + sFolder + L"\" exists";
        return false;
    }
    ScopedWin::UniqueFile folder(CreateFileW(LongPathSafe(existing).c_str(), FILE_READ_ATTRIBUTES,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                             nullptr));
    const std::wstring opened =
        folder ? WithoutTrailingBackslash(PlainForm(FinalPath(folder.get()))) : std::wstring();
    const DWORD error = GetLastError();
    if (!FinalPathMustMatch(elevated, sFolder, opened, DriveIsRemote)) return true;
    if (opened.empty()) {
        why = L"\"" + existing + L"\" cannot be opened: " + Win32Error(error).description;
        return false;
    }
    if (Text::EqualsNoCase(opened, WithoutTrailingBackslash(LongForm(existing)))) return true;
    why = L"\"" + sFolder +
          L"\" is not where the shell reported it: a link or junction leads to \"" + opened + L"\"";
    return false;
}

} // namespace CommonModule
