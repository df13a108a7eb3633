#include "support/AppSettings.h"

#include "support/DebugLog.h"
#include "support/DebugSettings.h"
#include "support/Probes.h"
#include "support/ScopedWin.h"
#include "support/Text.h"
#include "support/VersionInfo.h"

#include <shlobj.h>

#include <climits>

namespace CommonModule {

std::wstring sAppINI;
std::wstring sDebugFile;
bool bDebugToFile = false;
bool bVerboseDebug = false;

namespace {

std::wstring ModuleFileName() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return buf.substr(0, n);
        buf.resize(buf.size() * 2);
    }
}

// The executable's file name without folder and extension.
std::wstring ExeName() {
    std::wstring name = ModuleFileName();
    name = name.substr(name.find_last_of(L'\\') + 1);
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring ShortDateText() {
    wchar_t buf[80] = {};
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf, 80) <= 0)
        return {};
    return buf;
}

std::string ToAnsiLine(const std::wstring& text) {
    return Text::ToAnsi(text) + "\r\n";
}

// The debug folder may be one its user can write to while the process runs elevated:
// a link planted under the file's name must not lead the lines into another file.
ScopedWin::UniqueFile OpenForAppend(const std::wstring& file) {
    ScopedWin::UniqueFile h(
        CreateFileW(file.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    constexpr DWORD kNotPlain = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY;
    if (h && (!GetFileInformationByHandle(h.get(), &info) || info.nNumberOfLinks != 1 ||
              (info.dwFileAttributes & kNotPlain)))
        h.reset();
    return h;
}

bool WriteAll(HANDLE h, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// True when some line of the (ANSI) file equals `text` without regard to case.
bool FileHasLine(const std::wstring& file, const std::wstring& text) {
    ScopedWin::UniqueFile h(CreateFileW(file.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return false;
    std::string content;
    char buf[8192];
    DWORD got = 0;
    while (ReadFile(h.get(), buf, sizeof buf, &got, nullptr) && got)
        content.append(buf, got);
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) end = content.size();
        if (Text::EqualsNoCase(Text::FromAnsi(content.substr(start, end - start)), text))
            return true;
        // A CR LF pair ends one line, as does a lone CR or LF.
        start = end + ((content.compare(end, 2, "\r\n") == 0) ? 2 : 1);
    }
    return false;
}

} // namespace

std::wstring AppPath() {
    std::wstring folder = ModuleFileName();
    if (folder.empty()) {
        ReportError(L"AppPath", LastError());
        return folder;
    }
    folder.erase(folder.find_last_of(L'\\') + 1);
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::wstring AppVersionString(const std::wstring& sStage, const std::wstring& sNote) {
    return VersionInfo::Describe(VersionInfo::ReadFromModule(nullptr), sStage, sNote);
}

short CountFiles(std::wstring sPath, std::wstring sPattern) {
    if (sPattern.empty()) sPattern = L"*.*";
    if (sPath.empty() || sPath.back() != L'\\') sPath += L'\\';
    WIN32_FIND_DATAW fd;
    DisableFSRedir();
    ScopedWin::UniqueFind find(FindFirstFileW((sPath + sPattern).c_str(), &fd));
    RevertFSRedir();
    short count = 0;
    if (!find) return count;
    constexpr DWORD kSkipped =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((fd.dwFileAttributes & kSkipped) == 0 && count < SHRT_MAX) ++count;
    } while (FindNextFileW(find.get(), &fd));
    return count;
}

std::wstring StripNameFromPathNoDebug(const std::wstring& sPath) {
    const size_t slash = sPath.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : sPath.substr(0, slash);
}

bool SaveTextToFileNoDebug(const std::wstring& sFileName, const std::wstring& sText,
                           bool bOverwrite, bool bNoDuplicates) {
    const std::wstring folder = StripNameFromPathNoDebug(sFileName);
    if (!DoesDirExistNoDebug(folder)) {
        // No owner window: the debug writer must never bring up the shell's error UI.
        SHCreateDirectoryExA(nullptr, Text::ToAnsi(folder).c_str(), nullptr);
        if (!DoesDirExistNoDebug(folder)) CreateDirectoryW((folder + L"\\").c_str(), nullptr);
        if (!DoesDirExistNoDebug(folder)) return false;
    }
    DisableFSRedir();
    bool ok = false;
    if (bOverwrite) {
        ScopedWin::UniqueFile h(CreateFileW(sFileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                            nullptr));
        ok = h && WriteAll(h.get(), ToAnsiLine(sText));
    } else {
        if (bNoDuplicates) {
            OpenForAppend(sFileName); // creates an empty file when there is none
            if (FileHasLine(sFileName, sText)) {
                RevertFSRedir();
                return true;
            }
        }
        ScopedWin::UniqueFile h = OpenForAppend(sFileName);
        ok = h && WriteAll(h.get(), ToAnsiLine(sText));
    }
    RevertFSRedir();
    return ok;
}

void InitAppSettings(bool bSetAppINI, bool bUseAppPath) {
    (void)bUseAppPath; // the INI file always sits beside the executable
    if (bSetAppINI) sAppINI = AppPath() + ExeName() + L".ini";
    // The switches only turn logging on: what a developer built in stays.
    const DebugSettings settings = ReadDebugSettingsNoDebug(sAppINI, AppPath());
    if (settings.bToFile) bDebugToFile = true;
    if (settings.bVerbose) bVerboseDebug = true;
    if (bDebugToFile) {
        const std::wstring& folder = settings.sFolder;
        if (const DWORD error = CreateDebugFolderNoDebug(folder))
            ReportError(L"InitAppSettings", Win32Error(error),
                        {{L"bSetAppINI", ToText(bSetAppINI)}});
        if (!DoesDirExistNoDebug(folder))
            bDebugToFile = false;
        else
            sDebugFile = folder + (folder.ends_with(L'\\') ? L"" : L"\\") + L"DebugOutput - " +
                         ExeName() + L" " + std::to_wstring(CountFiles(folder, L"") + 1) + L".txt";
    }
    DPrint(L"");
    DPrint(ShortDateText() + L" - Starting " + AppVersionString(L"", L""));
    DPrint(L"----------------------------------------");
}

} // namespace CommonModule
