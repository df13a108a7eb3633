#include "dialogs/FileDialogRules.h"

#include "support/Text.h"

#include <commdlg.h>
#include <shlwapi.h>

namespace MCommonFile {

namespace {
constexpr size_t kFileBufferChars = MAX_PATH;
const DWORD kShortStructSize = OPENFILENAME_SIZE_VERSION_400W;
constexpr DWORD kLongStructSize = sizeof(OPENFILENAMEW);
constexpr DWORD kCallerHookAndTemplateBits = OFN_ENABLEHOOK | OFN_ENABLETEMPLATE;
} // namespace

DWORD StructSizeForVersion(DWORD dwMajor, DWORD dwMinor) {
    return dwMajor * 100 + dwMinor < 500 ? kShortStructSize : kLongStructSize;
}

DWORD StructSizeForThisSystem() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info; // the 148-byte form
    if (!GetVersionExA(&info)) return StructSizeForVersion(0, 0);
    return StructSizeForVersion(info.dwMajorVersion, info.dwMinorVersion);
}

DWORD DialogFlags(DWORD lFlags, bool bMultiSelect, bool bReadOnly, bool bHideReadOnly) {
    DWORD flags = lFlags & ~kCallerHookAndTemplateBits;
    if (bMultiSelect) flags |= OFN_ALLOWMULTISELECT;
    if (bReadOnly) flags |= OFN_READONLY;
    if (bHideReadOnly) flags |= OFN_HIDEREADONLY;
    return flags | OFN_ENABLESIZING | OFN_EXPLORER | OFN_ENABLEHOOK;
}

std::wstring FilterForDialog(const std::wstring& sFilter) {
    std::wstring out = sFilter;
    out.append(2, L'\0');
    for (wchar_t& c : out)
        if (c == L'|' || c == L':') c = L'\0';
    return out;
}

std::wstring FileBuffer(const std::wstring& sFilePath) {
    // The last character stays NUL: the dialog reads the initial name up to its NUL.
    std::wstring buffer = sFilePath.substr(0, kFileBufferChars - 1);
    buffer.resize(kFileBufferChars, L'\0');
    return buffer;
}

std::vector<std::wstring> CollectSelectedPaths(const std::wstring& sFolder,
                                               const std::wstring& sFileSpec) {
    std::vector<std::wstring> paths;
    if (sFolder.empty() || sFileSpec.empty()) return paths;
    const std::wstring folder = Text::CutAtNul(sFolder);
    const std::wstring names = Text::CutAtNul(sFileSpec);
    if (names.empty() || names.front() != L'"') {
        paths.push_back(CombinePath(folder, names));
        return paths;
    }
    for (size_t open = 0; open != std::wstring::npos; open = names.find(L'"', open)) {
        const size_t close = names.find(L'"', open + 1);
        paths.push_back(CombinePath(folder, names.substr(open + 1, close == std::wstring::npos
                                                                       ? std::wstring::npos
                                                                       : close - open - 1)));
        if (close == std::wstring::npos) break;
        open = close + 1;
    }
    return paths;
}

std::wstring CombinePath(const std::wstring& sFolder, const std::wstring& sName) {
    wchar_t buffer[MAX_PATH] = {};
    if (!PathCombineW(buffer, sFolder.c_str(), sName.c_str())) return {};
    return Text::CutAtNul(std::wstring_view(buffer, MAX_PATH));
}

bool IsExistingFile(const std::wstring& sPath) {
    return !PathIsDirectoryW(sPath.c_str()) && PathFileExistsW(sPath.c_str());
}

} // namespace MCommonFile
