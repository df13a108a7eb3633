#include "shell/cShellLinkA.h"

#include <objbase.h>
#include <climits>
#include <commctrl.h>
#include <vector>
#include <shlobj.h>

#include "shell/ComInit.h"
#include "support/DebugLog.h"
#include "support/ScopedWin.h"
#include "support/ShellFolders.h"
#include "support/Staging.h"
#include "support/Text.h"

using ScopedWin::ComPtr;

namespace {

// Every text field of a link file is stored with a 16-bit count of characters; a buffer
// of that size takes any field whole, where a shorter one is cut without a word.
constexpr int kFieldChars = 65536;

// A field's text, read whole through `call`(buffer, size).
template <class Call> bool ReadField(std::wstring& text, int chars, Call call) {
    std::vector<wchar_t> buffer(static_cast<size_t>(chars) + 1, L'\0');
    if (FAILED(call(buffer.data(), chars))) return false;
    text.assign(buffer.data());
    return true;
}

// Runs a link object's calls in order until one fails, and keeps which one that was.
class CallChain {
  public:
    template <class Call> CallChain& Then(const wchar_t* name, Call call) {
        if (SUCCEEDED(hr_)) {
            hr_ = call();
            if (FAILED(hr_)) failedCall_ = name;
        }
        return *this;
    }
    bool Ok() const { return SUCCEEDED(hr_); }
    HRESULT Result() const { return hr_; }
    const wchar_t* FailedCall() const { return failedCall_; }

  private:
    HRESULT hr_ = S_OK;
    const wchar_t* failedCall_ = L"";
};

// A shell link object and its file interface.
CallChain& CreateShellLink(CallChain& chain, ComPtr<IShellLinkW>& link,
                           ComPtr<IPersistFile>& file) {
    ShellCom::EnsureInitialized();
    return chain
        .Then(L"CoCreateInstance",
              [&] {
                  return CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IShellLinkW, link.put_void());
              })
        .Then(L"QueryInterface", [&] {
            HRESULT hr = S_OK;
            file = link.query<IPersistFile>(&hr);
            return hr;
        });
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
CallChain WriteLink(const LinkRequest& r) {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    CallChain chain;
    CreateShellLink(chain, link, file)
        .Then(L"SetPath", [&] { return link->SetPath(r.exeFile.c_str()); })
        .Then(L"SetIconLocation",
              [&] { return link->SetIconLocation(r.iconFile.c_str(), r.iconIndex); })
        .Then(L"SetShowCmd", [&] { return link->SetShowCmd(r.show); })
        .Then(L"SetHotkey", [&] { return link->SetHotkey(r.hotKey); })
        .Then(L"SetWorkingDirectory", [&] { return link->SetWorkingDirectory(r.workDir.c_str()); })
        .Then(L"SetArguments", [&] { return link->SetArguments(r.exeArgs.c_str()); })
        .Then(L"SetDescription", [&] { return link->SetDescription(r.description.c_str()); })
        // The target is a program found on disk moments ago, so Resolve has nothing to
        // search for; for a missing target Windows could offer its search dialog.
        .Then(L"Resolve", [&] { return link->Resolve(nullptr, SLR_UPDATE); })
        .Then(L"Save", [&] { return file->Save(r.linkFile.c_str(), FALSE); });
    return chain;
}

} // namespace

std::wstring cShellLinkA::OwnIcon(const std::wstring& sExeFile) {
    const size_t dot = sExeFile.find_last_of(L"\\.");
    const bool program = dot != std::wstring::npos && sExeFile[dot] == L'.' &&
                         Text::EqualsNoCase(std::wstring_view(sExeFile).substr(dot), L".exe");
    return program ? sExeFile : std::wstring();
}

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
    return modSpecialFolders::SpecialFolderPath(hWnd, iFolderId);
}

bool cShellLinkA::CreateLink(const std::wstring& sLinkDesc, const std::wstring& sLinkFile,
                             const std::wstring& sExeFile, const std::wstring& sWorkDir,
                             const std::wstring& sExeArgs, int IconIdx, WORD iHotKey, int eShow,
                             const std::wstring& sDifferentIconPath) {
    CommonModule::WorkingFolders ownWorkingFolder;
    return CreateLink(ownWorkingFolder, sLinkDesc, sLinkFile, sExeFile, sWorkDir, sExeArgs, IconIdx,
                      iHotKey, eShow, sDifferentIconPath);
}

bool cShellLinkA::CreateLink(CommonModule::WorkingFolders& workingFolders,
                             const std::wstring& sLinkDesc, const std::wstring& sLinkFile,
                             const std::wstring& sExeFile, const std::wstring& sWorkDir,
                             const std::wstring& sExeArgs, int IconIdx, WORD iHotKey, int eShow,
                             const std::wstring& sDifferentIconPath) {
    const std::wstring iconFile =
        sDifferentIconPath.empty() ? OwnIcon(sExeFile) : sDifferentIconPath;
    if (sLinkFile.empty() || sExeFile.empty()) return false;

    // Saved under its name in a working folder beside the link file, then moved into
    // place: the save never writes through a link planted under the link file's name,
    // and a failed save leaves the old shortcut as it was.
    const size_t cut = sLinkFile.find_last_of(L'\\');
    const CommonModule::StagingFolder& staging = workingFolders.In(
        cut == std::wstring::npos ? std::wstring(L".") : sLinkFile.substr(0, cut));
    if (!staging.ok()) {
        // Seen from outside, the save failed: the link file's folder cannot take files.
        return Failed(staging.why() + L" (Save)");
    }
    const std::wstring leaf = sLinkFile.substr(cut + 1);
    const std::wstring staged = staging.path() + L"\\" + leaf;
    std::wstring why;
    if (!staging.Vacant(leaf, why)) return Failed(why + L" (Save)");
    const CallChain chain = WriteLink(
        {sLinkDesc, staged, sExeFile, sWorkDir, sExeArgs, iconFile, IconIdx, iHotKey, eShow});
    if (!chain.Ok()) {
        return Failed(CommonModule::HResultError(chain.Result()).description + L" (" +
                      chain.FailedCall() + L")");
    }
    // Left as it is when it is not what was saved: it goes with the working folder.
    if (!staging.Landed(leaf, why)) return Failed(why + L" (Save)");
    if (!CommonModule::ReplaceByName(staged, sLinkFile, why)) {
        DeleteFileW(CommonModule::LongPathSafe(staged).c_str());
        return Failed(why + L" (MoveFileEx)");
    }
    return true;
}

bool cShellLinkA::Failed(const std::wstring& sWhy) {
    failure_ = sWhy;
    if (reportFailures_) CommonModule::DPrint(L"CreateLink Error:  " + sWhy);
    return false;
}

bool cShellLinkA::GetLinkInfo(const std::wstring& sLinkFile) {
    if (sLinkFile.empty()) return false;
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    CallChain chain;
    CreateShellLink(chain, link, file).Then(L"Load", [&] {
        return file->Load(sLinkFile.c_str(), STGM_READ);
    });
    if (!chain.Ok()) return false;

    // No find data: nothing here uses it, and filling it costs a lookup of the target.
    int iconIndex = 0;
    if (!ReadField(
            exeName_, kFieldChars,
            [&](wchar_t* b, int n) { return link->GetPath(b, n, nullptr, SLGP_UNCPRIORITY); }) ||
        !ReadField(workingDir_, kFieldChars,
                   [&](wchar_t* b, int n) { return link->GetWorkingDirectory(b, n); }) ||
        !ReadField(arguments_, kFieldChars,
                   [&](wchar_t* b, int n) { return link->GetArguments(b, n); }) ||
        // The shell keeps a description of INFOTIPSIZE characters at most.
        !ReadField(description_, INFOTIPSIZE,
                   [&](wchar_t* b, int n) { return link->GetDescription(b, n); }) ||
        FAILED(link->GetHotkey(&hotKey_)) ||
        !ReadField(iconFile_, kFieldChars,
                   [&](wchar_t* b, int n) { return link->GetIconLocation(b, n, &iconIndex); }))
        return false;
    iconIndex_ = iconIndex;

    int show = 0;
    if (FAILED(link->GetShowCmd(&show))) return false;
    showCommand_ = show;
    return true;
}
