#include "core/RetireConfig.h"

#include "core/AppState.h"
#include "core/ConfigFormat.h"
#include "core/Groups.h"
#include "core/InstallConfig.h"
#include "core/InstallRecord.h"
#include "core/InstallRun.h"
#include "core/OfficeApps.h"
#include "core/SafePaths.h"
#include "core/Unchanged.h"
#include "support/AppPath.h"
#include "support/DebugLog.h"
#include "support/PlainFile.h"
#include "support/Probes.h"
#include "support/ScopedWin.h"
#include "support/Strings.h"
#include "support/Text.h"

#include <optional>
#include <vector>

namespace Module1 {

namespace {

using CommonModule::CheckedFolder;
using CommonModule::DPrint;
using CommonModule::PlainFile;

// The values of a configuration that say what its install writes.
struct Installs {
    std::wstring templateFile, shortcutName, shortcutIcon;
};

Installs InstallsOf(const ConfigValues& value) {
    Installs installs{value(kKeyTemplateFile), value(kKeyShortcutName), {}};
    // Without a shortcut an install copies no icon.
    if (!installs.shortcutName.empty()) installs.shortcutIcon = value(kKeyShortcutIcon);
    return installs;
}

// A configuration file that reads as nothing at all: why, or "" when it has its section.
std::wstring Unseen(const ConfigValues& values, const std::wstring& sConfigFile) {
    return values.AllEmpty() ? WhyConfigUnseen(sConfigFile) : std::wstring();
}

std::wstring FolderOf(const std::wstring& sPath) {
    const size_t cut = sPath.find_last_of(L'\\');
    return cut == std::wstring::npos ? std::wstring() : sPath.substr(0, cut);
}

std::wstring NameOf(const std::wstring& sPath) {
    return sPath.substr(sPath.find_last_of(L'\\') + 1);
}

// Removes one configuration's files, each by the same questions: is it there, does no
// current configuration claim it, is it still what the install wrote.
class Remover {
  public:
    Remover(InstallRun& run, const std::wstring& sConfigName)
        : run_(run), name_(sConfigName), who_(L"RemoveConfig: " + sConfigName + L": ") {}

    void Recorded(Recorded kind, const RecordedFile& file, const LinkFields* fields) {
        const bool isShortcut = kind == Recorded::Shortcut;
        const std::wstring folder = isShortcut ? Desktop() : Templates();
        if (folder.empty()) return;
        if (!Text::EqualsNoCase(FolderOf(file.path), folder))
            return Kept(L"installed into another folder", file.path);
        if (!run_.knownNames.MayHoldUnwritten(folder, NameOf(file.path))) return Forget(kind);
        // The shell reads a link by its path, and not while it is open for deleting; the
        // size and time read through the handle below show it is the file read here.
        const bool holds = !fields || LinkHolds(file.path, *fields);
        PlainFile found;
        if (!Find(folder, NameOf(file.path), found)) return Forget(kind);
        const std::wstring landed = folder + L"\\" + found.name();
        if (Claimed(isShortcut, found.name()))
            return Kept(L"a current configuration installs it", landed);
        if (found.size() != file.size || found.lastWriteTime() != file.time || !holds)
            return Kept(L"changed since it was installed", landed);
        if (Delete(found, landed)) Forget(kind);
    }

    // Installed before the record existed: judged by what the configuration says now.
    void Shortcut(const Installs& installs) {
        if (installs.shortcutName.empty() || !Usable(L"ShortcutName", installs.shortcutName))
            return;
        const std::wstring desktop = Desktop();
        if (desktop.empty() ||
            !run_.knownNames.MayHoldUnwritten(desktop, installs.shortcutName + L".lnk"))
            return;
        // Read before it is opened for deleting, as in Recorded.
        const ShortcutStart start = ShortcutFor(installs.templateFile);
        const bool starts =
            LinkStarts(ShortcutPath(desktop, installs.shortcutName), start.target, start.arguments);
        PlainFile found;
        if (!Find(desktop, installs.shortcutName + L".lnk", found)) return;
        const std::wstring lnk = desktop + L"\\" + found.name();
        if (Claimed(true, found.name())) return Kept(L"a current configuration installs it", lnk);
        if (!starts) return Kept(L"not installed by this configuration", lnk);
        Delete(found, lnk);
    }
    void Copy(const std::wstring& sRelative, const wchar_t* sourceFolder) {
        if (sRelative.empty() || !Usable(sourceFolder, sRelative)) return;
        const std::wstring templates = Templates();
        PlainFile found;
        if (templates.empty() || !Find(templates, CommonModule::StripPath(sRelative), found))
            return;
        const std::wstring copy = templates + L"\\" + found.name();
        if (Claimed(false, found.name())) return Kept(L"a current configuration installs it", copy);
        WIN32_FILE_ATTRIBUTE_DATA source{};
        if (!GetFileAttributesExW(
                (CommonModule::AppPath() + sourceFolder + L"\\" + sRelative).c_str(),
                GetFileExInfoStandard, &source) ||
            (source.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return Kept(std::wstring(L"the source is no longer in ") + sourceFolder, copy);
        if (source.nFileSizeHigh != found.info().nFileSizeHigh ||
            source.nFileSizeLow != found.info().nFileSizeLow ||
            CompareFileTime(&source.ftLastWriteTime, &found.info().ftLastWriteTime) != 0)
            return Kept(L"changed since it was installed", copy);
        Delete(found, copy);
    }

    bool ok() const { return ok_; }

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
    std::wstring Templates() {
        std::wstring why;
        if (run_.userFolders.TemplatesFolderUsable(why)) return sUserTemplatesDir;
        Fail(L"nothing removed from the templates folder: " + why);
        return {};
    }
    std::wstring Desktop() {
        std::wstring why;
        const std::wstring desktop = run_.userFolders.UsableDesktopFolder(why);
        if (desktop.empty()) Fail(L"nothing removed from the desktop: " + why);
        return desktop;
    }
    bool Claimed(bool isShortcut, const std::wstring& sLanded) const {
        return (isShortcut ? run_.current.shortcuts : run_.current.files)
            .contains(FoldedName(sLanded));
    }
    // Opens sName in sFolder without following a link. False when nothing is there
    // (the run's listing of the folder answers for most), or when something other than
    // a plain file of that name stands there (said on its line).
    bool Find(const std::wstring& sFolder, const std::wstring& sName, PlainFile& found) {
        if (!run_.knownNames.MayHoldUnwritten(sFolder, sName)) return false;
        std::wstring why;
        switch (run_.heldFolders.In(sFolder).Open(sName, found, why)) {
        case CheckedFolder::Found::Plain:
            return true;
        case CheckedFolder::Found::Missing:
            return false;
        case CheckedFolder::Found::Other:
            Kept(why, sFolder + L"\\" + sName);
            return false;
        case CheckedFolder::Found::Failed:
            Fail(L"failed to remove \"" + sFolder + L"\\" + sName + L"\": " + why);
            return false;
        }
        return false;
    }
    bool Delete(PlainFile& file, const std::wstring& sPath) {
        std::wstring why;
        if (file.Delete(why)) {
            DPrint(L"removed: " + sPath);
            return true;
        }
        Fail(L"failed to remove \"" + sPath + L"\": " + why);
        return false;
    }
    void Forget(Module1::Recorded kind) {
        std::wstring why;
        if (!ForgetRecorded(name_, kind, why)) Fail(why);
    }

    InstallRun& run_;
    const std::wstring name_;
    const std::wstring who_;
    bool ok_ = true;
};

// A run that cannot see every current configuration removes nothing: one line, a
// failed step.
bool Blind(const InstallRun& run, const wchar_t* who) {
    if (run.current.blind.empty()) return false;
    DPrint(std::wstring(who) +
           L": nothing removed, not every current configuration could be "
           L"read: " +
           run.current.blind);
    return true;
}

// Reads a configuration file that is to be removed; false, with a line, when it says
// nothing of what it installs.
bool ReadRemoved(const std::wstring& sConfigName, const std::wstring& sConfigFile,
                 std::optional<ConfigValues>& values) {
    values.emplace(sConfigFile);
    const std::wstring unseen = Unseen(*values, sConfigFile);
    if (unseen.empty()) return true;
    DPrint(L"RemoveConfig: " + sConfigName + L": " + unseen);
    return false;
}

} // namespace

bool NoteCurrentConfigs(InstallRun& run, const std::wstring& sExcept) {
    std::vector<std::wstring> names;
    std::wstring why;
    if (!ListEveryConfigName(names, why)) run.current.Blind(why);
    const std::wstring except = FoldedName(sExcept);
    for (const auto& name : names) {
        const std::wstring folded = FoldedName(name);
        if (!sExcept.empty() && folded == except) continue;
        // What a current configuration's record holds stays, beside what it installs now.
        if (run.current.configs.contains(folded)) {
            run.current.NoteRecord(ReadRecordedPaths(name));
            continue;
        }
        if (!SafePaths::UsableName(name, why)) {
            run.current.Blind(name + L": refused configuration name (" + why + L")");
            continue;
        }
        const std::wstring cfg = ConfigFilePath(name);
        const ConfigValues values(cfg);
        if (const std::wstring unseen = Unseen(values, cfg); !unseen.empty())
            run.current.Blind(name + L": " + unseen);
        // One for other users claims nothing, its record neither; one that may be this
        // user's keeps its own.
        if (run.groups.Decide(ParseGroups(values(kKeyGroups)), why) == Applies::No) continue;
        const Installs installs = InstallsOf(values);
        run.current.NoteFile(installs.templateFile);
        run.current.NoteShortcut(installs.shortcutName);
        run.current.NoteFile(installs.shortcutIcon);
        run.current.NoteRecord(ReadRecordedPaths(name));
        run.current.configs.insert(folded);
    }
    return run.current.blind.empty();
}

bool RemoveRecordedInstalls(InstallRun& run, const std::wstring& sConfigName,
                            const ConfigValues* values) {
    const InstallRecord record = ReadInstallRecord(sConfigName);
    const Installs installs = values ? InstallsOf(*values) : Installs{};
    Remover remover(run, sConfigName);
    if (!record.shortcut.file.path.empty())
        remover.Recorded(Recorded::Shortcut, record.shortcut.file, &record.shortcut.fields);
    else
        remover.Shortcut(installs);
    if (!record.iconCopy.path.empty())
        remover.Recorded(Recorded::Icon, record.iconCopy, nullptr);
    else
        remover.Copy(installs.shortcutIcon, L"AltIcons");
    if (!record.templateCopy.path.empty())
        remover.Recorded(Recorded::Template, record.templateCopy, nullptr);
    else
        remover.Copy(installs.templateFile, L"Templates");
    return remover.ok();
}

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
    std::optional<ConfigValues> values;
    if (!ReadRemoved(sConfigName, isRetired ? retired : ConfigFilePath(sConfigName), values))
        return false;
    NoteCurrentConfigs(run, isRetired ? std::wstring() : sConfigName);
    if (Blind(run, L"RemoveConfig")) return false;
    return RemoveRecordedInstalls(run, sConfigName, &*values);
}

bool RemoveConfigsNotForUser(InstallRun& run) {
    if (run.notForUser.empty()) return true;
    NoteCurrentConfigs(run, {});
    if (Blind(run, L"RemoveConfigsNotForUser")) return false;
    bool ok = true;
    // By the record alone: without one, a file of that name may be the user's own.
    for (const auto& name : run.notForUser)
        if (!RemoveRecordedInstalls(run, name, nullptr)) ok = false;
    return ok;
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
    std::vector<std::wstring> files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(found.cFileName);
    } while (FindNextFileW(search.get(), &found));
    const bool listed = GetLastError() == ERROR_NO_MORE_FILES;
    search.reset();
    if (files.empty()) return listed;
    NoteCurrentConfigs(run, {});
    if (Blind(run, L"RemoveRetiredConfigs")) return false;
    bool ok = listed;
    if (!listed) DPrint(L"RemoveRetiredConfigs: the listing of \"" + folder + L"\" stopped early");
    for (const auto& file : files) {
        const std::wstring name = ConfigNameFromFile(file);
        // Still in "Configs" as well: its record is the current configuration's.
        if (run.current.configs.contains(FoldedName(name))) continue;
        std::optional<ConfigValues> values;
        if (!ReadRemoved(name, folder + file, values) ||
            !RemoveRecordedInstalls(run, name, &*values))
            ok = false;
    }
    return ok;
}

} // namespace Module1
