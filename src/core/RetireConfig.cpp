#include "core/RetireConfig.h"

#include "core/AppState.h"
#include "core/ConfigFormat.h"
#include "core/InstallConfig.h"
#include "core/InstallRun.h"
#include "core/SafePaths.h"
#include "core/Unchanged.h"
#include "support/AppPath.h"
#include "support/DebugLog.h"
#include "support/Probes.h"
#include "support/ScopedWin.h"
#include "support/Strings.h"
#include "support/Text.h"

namespace Module1 {

namespace {

using CommonModule::DPrint;

// The values of a configuration that say what its install writes.
struct Installs {
    std::wstring templateFile, shortcutName, shortcutIcon;
};

Installs ReadInstalls(const std::wstring& sConfigFile) {
    const ConfigValues value(sConfigFile);
    Installs installs{value(kKeyTemplateFile), value(kKeyShortcutName), {}};
    // Without a shortcut an install copies no icon.
    if (!installs.shortcutName.empty()) installs.shortcutIcon = value(kKeyShortcutIcon);
    return installs;
}

// What the configurations of "Configs" install, sExcept aside, for a run that installed
// none of them.
void NoteConfigsInstalls(InstallRun& run, const std::wstring& sExcept) {
    for (const auto& name : ListConfigNames()) {
        if (Text::Lower(name) == Text::Lower(sExcept)) continue;
        const Installs installs = ReadInstalls(ConfigFilePath(name));
        run.current.NoteFile(installs.templateFile);
        run.current.NoteShortcut(installs.shortcutName);
        run.current.NoteFile(installs.shortcutIcon);
    }
}

// Removes one configuration's files, each by the same three questions: is it there,
// is it still what an install wrote, does no current configuration install it.
class Remover {
  public:
    Remover(InstallRun& run, const std::wstring& sConfigName)
        : run_(run), who_(L"RemoveConfig: " + sConfigName + L": ") {}

    bool Remove(const Installs& installs) {
        if (!installs.shortcutName.empty()) Shortcut(installs);
        Copy(installs.shortcutIcon, L"AltIcons");
        Copy(installs.templateFile, L"Templates");
        return ok_;
    }

  private:
    void Fail(const std::wstring& reason) {
        DPrint(who_ + reason);
        ok_ = false;
    }
    static void Kept(const std::wstring& why, const std::wstring& sPath) {
        DPrint(L"kept, " + why + L": " + sPath);
    }
    bool Usable(const wchar_t* what, const std::wstring& value) {
        std::wstring why;
        if (SafePaths::UsableName(value, why)) return true;
        Fail(std::wstring(L"refused ") + what + L" \"" + value + L"\" (" + why + L")");
        return false;
    }
    // The name as a name: a link planted there goes, its target stays. A copy keeps a
    // read-only source's attribute; being ours, it goes all the same.
    void Delete(const std::wstring& sPath) {
        bool deleted = DeleteFileW(sPath.c_str());
        DWORD error = deleted ? ERROR_SUCCESS : GetLastError();
        const DWORD attributes = GetFileAttributesW(sPath.c_str());
        if (!deleted && error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_READONLY) &&
            SetFileAttributesW(sPath.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
            deleted = DeleteFileW(sPath.c_str());
            error = deleted ? ERROR_SUCCESS : GetLastError();
            if (!deleted) SetFileAttributesW(sPath.c_str(), attributes);
        }
        if (deleted) {
            DPrint(L"removed: " + sPath);
            return;
        }
        Fail(L"failed to remove \"" + sPath + L"\": " +
             CommonModule::Win32Error(error).description);
    }

    void Shortcut(const Installs& installs) {
        if (!Usable(L"ShortcutName", installs.shortcutName)) return;
        std::wstring why;
        const std::wstring desktop = run_.userFolders.UsableDesktopFolder(why);
        if (desktop.empty()) return Fail(L"nothing removed from the desktop: " + why);
        // The listing the run made of the desktop answers for a shortcut that is gone.
        if (!run_.knownNames.MayHoldUnwritten(desktop, installs.shortcutName + L".lnk")) return;
        const std::wstring lnk = ShortcutPath(desktop, installs.shortcutName);
        if (!CommonModule::IsExistingFile(lnk)) return;
        if (run_.current.shortcuts.contains(Text::Lower(installs.shortcutName)))
            return Kept(L"a current configuration installs it", lnk);
        if (!LinkStarts(lnk, sWordExePath, ShortcutArguments(installs.templateFile)))
            return Kept(L"not installed by this configuration", lnk);
        Delete(lnk);
    }

    void Copy(const std::wstring& sRelative, const wchar_t* sourceFolder) {
        if (sRelative.empty() || !Usable(sourceFolder, sRelative)) return;
        std::wstring why;
        if (!run_.userFolders.TemplatesFolderUsable(why))
            return Fail(L"nothing removed from the templates folder: " + why);
        const std::wstring name = CommonModule::StripPath(sRelative);
        if (!run_.knownNames.MayHoldUnwritten(sUserTemplatesDir, name)) return;
        const std::wstring copy = sUserTemplatesDir + L"\\" + name;
        if (!CommonModule::IsExistingFile(copy)) return;
        if (run_.current.files.contains(Text::Lower(name)))
            return Kept(L"a current configuration installs it", copy);
        const std::wstring source = CommonModule::AppPath() + sourceFolder + L"\\" + sRelative;
        if (!CommonModule::IsExistingFile(source))
            return Kept(std::wstring(L"the source is no longer in ") + sourceFolder, copy);
        if (!CommonModule::FilesMatch(source, copy))
            return Kept(L"changed since it was installed", copy);
        Delete(copy);
    }

    InstallRun& run_;
    const std::wstring who_;
    bool ok_ = true;
};

} // namespace

bool RemoveConfig(InstallRun& run, const std::wstring& sConfigName) {
    std::wstring why;
    if (!SafePaths::UsableName(sConfigName, why) || sConfigName.empty()) {
        DPrint(L"RemoveConfig: refused configuration name \"" + sConfigName + L"\" (" +
               (sConfigName.empty() ? L"no name given" : why) + L")");
        return false;
    }
    const std::wstring retired = CommonModule::AppPath() + L"Retired\\" + sConfigName + L".cfg";
    const bool isRetired = CommonModule::IsExistingFile(retired);
    if (!isRetired && !CommonModule::IsExistingFile(ConfigFilePath(sConfigName))) {
        DPrint(L"RemoveConfig: " + sConfigName +
               L": no configuration of that name in \"Retired\" or \"Configs\"");
        return false;
    }
    NoteConfigsInstalls(run, isRetired ? std::wstring() : sConfigName);
    return Remover(run, sConfigName)
        .Remove(ReadInstalls(isRetired ? retired : ConfigFilePath(sConfigName)));
}

bool RemoveRetiredConfigs(InstallRun& run) {
    const std::wstring folder = CommonModule::AppPath() + L"Retired\\";
    WIN32_FIND_DATAW found{};
    ScopedWin::UniqueFind search(FindFirstFileExW((folder + L"*.cfg").c_str(), FindExInfoBasic,
                                                  &found, FindExSearchNameMatch, nullptr,
                                                  FIND_FIRST_EX_LARGE_FETCH));
    if (!search) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
        DPrint(L"RemoveRetiredConfigs: cannot list \"" + folder + L"\": " +
               CommonModule::Win32Error(error).description);
        return false;
    }
    bool ok = true;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::wstring name = ConfigNameFromFile(found.cFileName);
        if (!Remover(run, name).Remove(ReadInstalls(folder + found.cFileName))) ok = false;
    } while (FindNextFileW(search.get(), &found));
    return ok;
}

} // namespace Module1
