#pragma once
// Writes (and reads) shell link files through the shell's own link object, in its
// wide interface IShellLinkW, so every name and text reaches the link exactly.
#include "support/Staging.h"

#include <windows.h>

#include <string>

class cShellLinkA {
  public:
    std::wstring ExeName() const;
    std::wstring ExeArgs() const;
    std::wstring WorkingDir() const;
    std::wstring Description() const;
    std::wstring IconFile() const;
    long IconIndex() const { return iconIndex_; }
    long ShowCommand() const { return showCommand_; }
    void GetHotKeyInfo(BYTE& bModifier, BYTE& bKey) const;
    // eKeyMod * 256 + bKey; false when that does not fit a signed 16-bit word.
    static bool MakeHotKey(int eKeyMod, int bKey, WORD& iHotKey);
    static std::wstring GetSystemFolderPath(HWND hWnd, int iFolderId);
    // The icon a link gets when it is given none: a program's own first icon. A document
    // target gets no icon location (a document holds no icon to name), so the shell
    // shows its file type's icon.
    static std::wstring OwnIcon(const std::wstring& sExeFile);

    bool CreateLink(const std::wstring& sLinkDesc, const std::wstring& sLinkFile,
                    const std::wstring& sExeFile, const std::wstring& sWorkDir,
                    const std::wstring& sExeArgs, int IconIdx, WORD iHotKey, int eShow,
                    const std::wstring& sDifferentIconPath);
    // The same, staging in the run's working folders, which outlive the call.
    bool CreateLink(CommonModule::WorkingFolders& workingFolders, const std::wstring& sLinkDesc,
                    const std::wstring& sLinkFile, const std::wstring& sExeFile,
                    const std::wstring& sWorkDir, const std::wstring& sExeArgs, int IconIdx,
                    WORD iHotKey, int eShow, const std::wstring& sDifferentIconPath);
    // A caller that reports a failed CreateLink itself, naming what it was writing the
    // link for, gets no "CreateLink Error" line; Failure() then says why it failed.
    void LeaveReportsToCaller() { reportFailures_ = false; }
    const std::wstring& Failure() const { return failure_; }
    bool GetLinkInfo(const std::wstring& sLinkFile);

  private:
    static std::wstring CutAtNull(const std::wstring& s);
    bool Failed(const std::wstring& sWhy);

    bool reportFailures_ = true;
    std::wstring failure_;

    // What GetLinkInfo last read, each field whole.
    std::wstring exeName_;
    std::wstring arguments_;
    std::wstring workingDir_;
    std::wstring description_;
    std::wstring iconFile_;
    long iconIndex_ = 0;
    long showCommand_ = 0;
    WORD hotKey_ = 0;
};
