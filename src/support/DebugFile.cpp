#include "support/DebugFile.h"

#include "support/LinkTag.h"
#include "support/Probes.h"
#include "support/ScopedWin.h"
#include "support/Staging.h"
#include "support/Text.h"

#include <windows.h>
#include <shlobj.h>

namespace CommonModule {

namespace {

// The same bytes as the debugger output gets: characters beyond the ANSI code page as
// <U+041E>, so the file stays in one encoding however many runs append to it.
std::string ToAnsiLine(const std::wstring& text) {
    return Text::ToAnsiEscaped(text) + "\r\n";
}

// The debug folder may be one its user can write to while the process runs elevated:
// a link planted under the file's name must not lead the lines into another file.
ScopedWin::UniqueFile OpenForAppend(const std::wstring& file) {
    ScopedWin::UniqueFile h(
        CreateFileW(file.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (h && (!GetFileInformationByHandle(h.get(), &info) || info.nNumberOfLinks != 1 ||
              (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
              LinkOfHandle(h.get()) != LinkAnswer::Plain))
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
    const std::wstring written = Text::FromAnsi(Text::ToAnsiEscaped(text));
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) end = content.size();
        if (Text::EqualsNoCase(Text::FromAnsi(content.substr(start, end - start)), written))
            return true;
        // A CR LF pair ends one line, as does a lone CR or LF.
        start = end + ((content.compare(end, 2, "\r\n") == 0) ? 2 : 1);
    }
    return false;
}

bool EnsureFolder(const std::wstring& folder) {
    if (DoesDirExistNoDebug(folder)) return true;
    // No owner window: the debug writer must never bring up the shell's error UI.
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    if (!DoesDirExistNoDebug(folder))
        CreateDirectoryW(NewFolderPathSafe(folder + L"\\").c_str(), nullptr);
    return DoesDirExistNoDebug(folder);
}

} // namespace

std::wstring StripNameFromPathNoDebug(const std::wstring& sPath) {
    const size_t slash = sPath.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : sPath.substr(0, slash);
}

bool SaveTextToFileNoDebug(const std::wstring& sFileName, const std::wstring& sText,
                           bool bOverwrite, bool bNoDuplicates) {
    if (!EnsureFolder(StripNameFromPathNoDebug(sFileName))) return false;
    const FSRedirBracket bracket;
    if (bOverwrite) {
        ScopedWin::UniqueFile h(CreateFileW(sFileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                            nullptr));
        return h && WriteAll(h.get(), ToAnsiLine(sText));
    }
    if (bNoDuplicates) {
        OpenForAppend(sFileName); // creates an empty file when there is none
        if (FileHasLine(sFileName, sText)) return true;
    }
    ScopedWin::UniqueFile h = OpenForAppend(sFileName);
    return h && WriteAll(h.get(), ToAnsiLine(sText));
}

} // namespace CommonModule
