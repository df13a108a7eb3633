#include "support/LastingPath.h"

#include "support/DebugLog.h"

#include <winnetwk.h>

#include <vector>

namespace CommonModule {

PathAnswers PathAnswers::System() {
    PathAnswers answers;
    answers.longForm = [](const std::wstring& sPath) {
        std::wstring text(32768, L'\0');
        const DWORD n =
            GetLongPathNameW(sPath.c_str(), text.data(), static_cast<DWORD>(text.size()));
        text.resize(n < text.size() ? n : 0);
        return text;
    };
    answers.driveType = [](const std::wstring& sRoot) { return GetDriveTypeW(sRoot.c_str()); };
    answers.universal = [](const std::wstring& sPath) {
        std::vector<BYTE> buffer(sizeof(UNIVERSAL_NAME_INFOW) + 2 * 32768);
        DWORD size = static_cast<DWORD>(buffer.size());
        if (WNetGetUniversalNameW(sPath.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer.data(), &size) !=
            NO_ERROR)
            return std::wstring();
        return std::wstring(
            reinterpret_cast<UNIVERSAL_NAME_INFOW*>(buffer.data())->lpUniversalName);
    };
    answers.dosDevice = [](const std::wstring& sDrive) {
        std::wstring text(32768, L'\0');
        const DWORD n =
            QueryDosDeviceW(sDrive.c_str(), text.data(), static_cast<DWORD>(text.size()));
        return n ? std::wstring(text.c_str()) : std::wstring();
    };
    return answers;
}

std::wstring LastingPath(const std::wstring& sPath, std::wstring& why, const PathAnswers& answers) {
    std::wstring path = answers.longForm(sPath);
    if (path.empty()) {
        why = L"its long form cannot be had: " + LastError().description;
        return {};
    }
    if (path.size() < 3 || path[1] != L':' || path[2] != L'\\') return path; // a UNC path
    const std::wstring drive = path.substr(0, 2);
    // A SUBST drive stands for "\??\" and a path on another drive.
    const std::wstring device = answers.dosDevice(drive);
    if (device.starts_with(L"\\??\\") && device.size() > 6 && device[5] == L':')
        return LastingPath(device.substr(4) + path.substr(2), why, answers);
    if (answers.driveType(drive + L"\\") != DRIVE_REMOTE) return path;
    std::wstring unc = answers.universal(path);
    if (unc.empty())
        why = L"the network drive " + drive +
              L" (mapped for this logon only) has no UNC path "
              L"the system would tell";
    return unc;
}

} // namespace CommonModule
