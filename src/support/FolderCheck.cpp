#include "support/FolderCheck.h"

#include "support/DebugLog.h"
#include "support/ScopedWin.h"
#include "support/Staging.h"
#include "support/Text.h"

#include <windows.h>
#include <winnetwk.h>

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

// A folder on a mapped network drive opens under the share's own path.
std::wstring ShareForm(const std::wstring& path) {
    if (path.size() < 3 || path[1] != L':') return {};
    if (GetDriveTypeW(path.substr(0, 3).c_str()) != DRIVE_REMOTE) return {};
    using Fn = DWORD(WINAPI*)(LPCWSTR, DWORD, LPVOID, LPDWORD);
    ScopedWin::UniqueLibrary mpr(LoadLibraryExW(L"mpr.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    auto get = mpr ? reinterpret_cast<Fn>(reinterpret_cast<void*>(
                         GetProcAddress(mpr.get(), "WNetGetUniversalNameW")))
                   : nullptr;
    if (!get) return {};
    std::vector<BYTE> buffer(4096);
    DWORD size = static_cast<DWORD>(buffer.size());
    if (get(path.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size) != NO_ERROR) return {};
    return reinterpret_cast<UNIVERSAL_NAME_INFOW*>(buffer.data())->lpUniversalName;
}

} // namespace

bool FolderIsWhereReported(const std::wstring& sFolder, std::wstring& why) {
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
    if (opened.empty()) {
        why = L"\"" + existing + L"\" cannot be opened: " + LastError().description;
        return false;
    }
    const std::wstring expected = WithoutTrailingBackslash(LongForm(existing));
    if (Text::EqualsNoCase(opened, expected)) return true;
    const std::wstring share = WithoutTrailingBackslash(ShareForm(expected));
    if (!share.empty() && Text::EqualsNoCase(opened, share)) return true;
    why = L"\"" + sFolder +
          L"\" is not where the shell reported it: a link or junction leads to \"" + opened + L"\"";
    return false;
}

} // namespace CommonModule
