#include "shell/cShellLinkA.h"

#include <objbase.h>
#include <climits>
#include <shlobj.h>

#include "shell/ComInit.h"
#include "support/DebugLog.h"
#include "support/ScopedWin.h"
#include "support/Staging.h"
#include "support/Text.h"

using ScopedWin::ComPtr;

namespace {

constexpr int kBufferChars = MAX_PATH;

// Converts a whole text buffer, padding included, so a field keeps the buffer's size.
std::wstring FromBuffer(const char (&buffer)[kBufferChars]) {
    return Text::FromAnsi(std::string_view(buffer, kBufferChars));
}

HRESULT CreateShellLink(ComPtr<IShellLinkA>& link, ComPtr<IPersistFile>& file) {
    ShellCom::EnsureInitialized();
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  link.put_void());
    if (SUCCEEDED(hr)) hr = link->QueryInterface(IID_IPersistFile, file.put_void());
    return hr;
}

struct LinkRequest {
    const std::wstring& description;
    const std::wstring& linkFile;
    const std::wstring& exeFile;
    const std::wstring& workDir;
    const std::wstring& exeArgs;
    const std::wstring& iconFile;
    int iconIndex;
    WORD hotKey;
    int show;
};

// Stops at the first call that fails; the link object is gone when this returns.
HRESULT WriteLink(const LinkRequest& r) {
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    HRESULT hr = CreateShellLink(link, file);
    if (SUCCEEDED(hr)) hr = link->SetPath(Text::ToAnsi(r.exeFile).c_str());
    if (SUCCEEDED(hr)) hr = link->SetIconLocation(Text::ToAnsi(r.iconFile).c_str(), r.iconIndex);
    if (SUCCEEDED(hr)) hr = link->SetShowCmd(r.show);
    if (SUCCEEDED(hr)) hr = link->SetHotkey(r.hotKey);
    if (SUCCEEDED(hr)) hr = link->SetWorkingDirectory(Text::ToAnsi(r.workDir).c_str());
    if (SUCCEEDED(hr)) hr = link->SetArguments(Text::ToAnsi(r.exeArgs).c_str());
    if (SUCCEEDED(hr)) hr = link->SetDescription(Text::ToAnsi(r.description).c_str());
    // The target is a program found on disk moments ago, so Resolve has nothing to
    // search for; for a missing target Windows could offer its search dialog.
    if (SUCCEEDED(hr)) hr = link->Resolve(nullptr, SLR_UPDATE);
    if (SUCCEEDED(hr)) hr = file->Save(r.linkFile.c_str(), FALSE);
    return hr;
}

std::wstring DescribeFailure(HRESULT hr) {
    // The system message table describes Win32 failures by their plain error code.
    const DWORD code = HRESULT_FACILITY(hr) == FACILITY_WIN32 ? static_cast<DWORD>(HRESULT_CODE(hr))
                                                              : static_cast<DWORD>(hr);
    return CommonModule::Win32Error(code).description;
}

} // namespace

std::wstring cShellLinkA::CutAtNull(const std::wstring& s) {
    return Text::CutAtNul(s);
}

std::wstring cShellLinkA::ExeName() const {
    return CutAtNull(exeName_);
}
std::wstring cShellLinkA::ExeArgs() const {
    return CutAtNull(arguments_);
}
std::wstring cShellLinkA::WorkingDir() const {
    return CutAtNull(workingDir_);
}
std::wstring cShellLinkA::Description() const {
    return CutAtNull(description_);
}
std::wstring cShellLinkA::IconFile() const {
    return CutAtNull(iconFile_);
}

void cShellLinkA::GetHotKeyInfo(BYTE& bModifier, BYTE& bKey) const {
    bModifier = HIBYTE(hotKey_);
    bKey = LOBYTE(hotKey_);
}

bool cShellLinkA::MakeHotKey(int eKeyMod, int bKey, WORD& iHotKey) {
    const long long value = static_cast<long long>(eKeyMod) * 256 + bKey;
    if (value < SHRT_MIN || value > SHRT_MAX) return false;
    iHotKey = static_cast<WORD>(static_cast<short>(value));
    return true;
}

std::wstring cShellLinkA::GetSystemFolderPath(HWND hWnd, int iFolderId) {
    ScopedWin::UniqueIdList idList;
    LPITEMIDLIST raw = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(hWnd, iFolderId, &raw))) return {};
    idList.reset(raw);
    char path[kBufferChars] = {};
    if (!SHGetPathFromIDListA(idList.get(), path)) return {};
    return CutAtNull(FromBuffer(path));
}

bool cShellLinkA::CreateLink(const std::wstring& sLinkDesc, const std::wstring& sLinkFile,
                             const std::wstring& sExeFile, const std::wstring& sWorkDir,
                             const std::wstring& sExeArgs, int IconIdx, WORD iHotKey, int eShow,
                             const std::wstring& sDifferentIconPath) {
    const std::wstring& iconFile = sDifferentIconPath.empty() ? sExeFile : sDifferentIconPath;
    if (sLinkFile.empty() || sExeFile.empty()) return false;

    // Saved under its name in a working folder beside the link file, then moved into
    // place: the save never writes through a link planted under the link file's name,
    // and a failed save leaves the old shortcut as it was.
    const size_t cut = sLinkFile.find_last_of(L'\\');
    const CommonModule::StagingScope scope;
    const CommonModule::StagingFolder& staging = CommonModule::StagingFolderIn(
        cut == std::wstring::npos ? std::wstring(L".") : sLinkFile.substr(0, cut));
    if (!staging.ok()) {
        CommonModule::DPrint(L"CreateLink Error:  " + staging.why());
        return false;
    }
    const std::wstring staged = staging.path() + L"\\" + sLinkFile.substr(cut + 1);
    const HRESULT hr = WriteLink(
        {sLinkDesc, staged, sExeFile, sWorkDir, sExeArgs, iconFile, IconIdx, iHotKey, eShow});
    if (FAILED(hr)) {
        CommonModule::DPrint(L"CreateLink Error:  " + DescribeFailure(hr));
        return false;
    }
    std::wstring why;
    if (!CommonModule::ReplaceByName(staged, sLinkFile, why)) {
        DeleteFileW(CommonModule::LongPathSafe(staged).c_str());
        CommonModule::DPrint(L"CreateLink Error:  " + why);
        return false;
    }
    return true;
}

bool cShellLinkA::GetLinkInfo(const std::wstring& sLinkFile) {
    if (sLinkFile.empty()) return false;
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    if (FAILED(CreateShellLink(link, file))) return false;
    if (FAILED(file->Load(sLinkFile.c_str(), STGM_READ))) return false;

    char buffer[kBufferChars] = {};
    WIN32_FIND_DATAA found{};
    if (FAILED(link->GetPath(buffer, kBufferChars, &found, SLGP_UNCPRIORITY))) return false;
    exeName_ = FromBuffer(buffer);

    char workDir[kBufferChars] = {};
    if (FAILED(link->GetWorkingDirectory(workDir, kBufferChars))) return false;
    workingDir_ = FromBuffer(workDir);

    char arguments[kBufferChars] = {};
    if (FAILED(link->GetArguments(arguments, kBufferChars))) return false;
    arguments_ = FromBuffer(arguments);

    char description[kBufferChars] = {};
    if (FAILED(link->GetDescription(description, kBufferChars))) return false;
    description_ = FromBuffer(description);

    if (FAILED(link->GetHotkey(&hotKey_))) return false;

    char iconFile[kBufferChars] = {};
    int iconIndex = 0;
    if (FAILED(link->GetIconLocation(iconFile, kBufferChars, &iconIndex))) return false;
    iconFile_ = FromBuffer(iconFile);
    iconIndex_ = iconIndex;

    int show = 0;
    if (FAILED(link->GetShowCmd(&show))) return false;
    showCommand_ = show;
    return true;
}
