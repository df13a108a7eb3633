#include "core/RetireConfigAct.h"

#include "core/AppState.h"
#include "core/ConfigFormat.h"
#include "core/InstallRun.h"
#include "core/SafePaths.h"
#include "core/Unchanged.h"
#include "support/AppPath.h"
#include "support/DebugLog.h"
#include "support/PlainFile.h"
#include "support/Text.h"

#include <optional>

namespace Module1 {

namespace {

using CommonModule::CheckedFolder;
using CommonModule::DPrint;
using CommonModule::PlainFile;

// Removes one configuration's files: looks at each, asks DecideRemoval, and does what
// it answers.
class Remover {
  public:
    Remover(InstallRun& run, const std::wstring& sConfigName, const RetiredGives& gives,
            const InstallRecord* successors)
        : run_(run), name_(sConfigName), who_(L"RemoveConfig: " + sConfigName + L": "),
          gives_(gives), successors_(successors) {}

    void Judge(Recorded kind, const InstallRecord& record) {
        const bool isShortcut = kind == Recorded::Shortcut;
        const std::wstring& recorded = (isShortcut               ? record.shortcut.file
                                        : kind == Recorded::Icon ? record.iconCopy
                                                                 : record.templateCopy)
                                           .path;
        std::wstring name = recorded.substr(recorded.find_last_of(L'\\') + 1);
        if (recorded.empty()) {
            name = gives_.judgesUnrecorded ? GivenName(gives_, kind) : std::wstring();
            if (name.empty() || !Usable(kind)) return;
        }
        const std::wstring folder = isShortcut ? Desktop() : Templates();
        if (folder.empty()) return;
        PlainFile found;
        Standing now = Look(folder, name, kind, recorded.empty(), found);
        if (now.is == Standing::Is::Missing && !recorded.empty() &&
            !Text::EqualsNoCase(recorded.substr(0, recorded.find_last_of(L'\\')), folder))
            now.atRecordedPath = MayStand(recorded);
        const Removal removal = DecideRemoval(kind, record, gives_, now, run_.current);
        // A check only notes what would happen.
        if (run_.bCheckOnly) {
            run_.removals.emplace_back(name_, removal);
            if (removal.verdict == Removal::Verdict::Fail) ok_ = false;
            return;
        }
        switch (removal.verdict) {
        case Removal::Verdict::Keep:
            DPrint(L"kept, " + removal.reason + L": " + removal.path);
            // Kept or not, it is no longer what the configuration installs.
            if (!successors_) return;
            break;
        case Removal::Verdict::Fail:
            return Fail(L"failed to remove \"" + removal.path + L"\": " + removal.reason);
        case Removal::Verdict::Remove:
            if (!Delete(found, removal.path)) return;
            break;
        case Removal::Verdict::Gone:
            break;
        }
        if (recorded.empty()) return;
        if (successors_)
            Succeed(kind);
        else
            Forget(kind);
    }

    bool ok() const { return ok_; }

  private:
    void Fail(const std::wstring& reason) {
        if (run_.bCheckOnly)
            run_.removals.emplace_back(name_, Removal{Removal::Verdict::Fail, reason, {}});
        else
            CommonModule::DPrintStepFailed(who_ + reason);
        ok_ = false;
    }
    // A name the configuration gives is a path below its folder only when usable.
    bool Usable(Recorded kind) {
        const wchar_t* key = kind == Recorded::Shortcut ? kKeyShortcutName
                             : kind == Recorded::Icon   ? kKeyShortcutIcon
                                                        : kKeyTemplateFile;
        const std::wstring value = kind == Recorded::Shortcut ? gives_.shortcutName
                                   : kind == Recorded::Icon   ? gives_.shortcutIcon
                                                              : gives_.templateFile;
        std::wstring why;
        if (SafePaths::UsableName(value, why)) return true;
        Fail(std::wstring(L"refused ") + key + L" \"" + value + L"\" (" + why + L")");
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
    // What stands under sName in sFolder, opened without following a link and held in
    // `found` for the delete. The run's listing of the folder answers for most missing
    // names. A copy the record does not hold is judged by its source: that is looked at too.
    Standing Look(const std::wstring& sFolder, const std::wstring& sName, Recorded kind,
                  bool unrecorded, PlainFile& found) {
        Standing now;
        now.folder = sFolder;
        now.name = sName;
        if (!run_.knownNames.MayHoldUnwritten(sFolder, sName)) return now;
        if (kind == Recorded::Shortcut && !LookAtLink(now)) return now;
        switch (run_.heldFolders.In(sFolder).Open(sName, found, now.why, !run_.bCheckOnly)) {
        case CheckedFolder::Found::Plain:
            now.is = Standing::Is::Plain;
            now.name = found.name();
            now.size = found.size();
            now.time = found.lastWriteTime();
            break;
        case CheckedFolder::Found::Missing:
            return now;
        case CheckedFolder::Found::Other:
            now.is = Standing::Is::Other;
            return now;
        case CheckedFolder::Found::Failed:
            now.is = Standing::Is::Unopened;
            return now;
        }
        if (unrecorded && kind != Recorded::Shortcut)
            now.source = Source(kind == Recorded::Icon ? L"AltIcons\\" + gives_.shortcutIcon
                                                       : L"Templates\\" + gives_.templateFile);
        return now;
    }
    // Only a definite "not there" counts as gone: a server that does not answer may
    // still hold it.
    static bool MayStand(const std::wstring& sPath) {
        if (GetFileAttributesW(sPath.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        const DWORD error = GetLastError();
        return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
    }
    // Removing goes by what the shortcut holds, so it is read, even where the listing
    // shows it as recorded. An online-only one whose read fails (a Desktop in OneDrive
    // before the client runs) could not be checked: kept, and the step fails. The shell
    // reads a link by its path, and not while it is open for deleting; the size and time
    // read through the handle afterwards show it is the file read here.
    bool LookAtLink(Standing& now) {
        now.link = ReadLinkFields(now.folder + L"\\" + now.name);
        if (now.link || !OnlineOnly(run_.knownNames.Listed(now.folder, now.name))) return true;
        now.is = Standing::Is::Unopened;
        now.why = kLinkUnchecked;
        return false;
    }
    static std::optional<RecordedFile> Source(const std::wstring& sRelative) {
        WIN32_FILE_ATTRIBUTE_DATA source{};
        if (!GetFileAttributesExW((CommonModule::AppPath() + sRelative).c_str(),
                                  GetFileExInfoStandard, &source) ||
            (source.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return std::nullopt;
        return RecordedFile{{},
                            (ULONGLONG{source.nFileSizeHigh} << 32) | source.nFileSizeLow,
                            (ULONGLONG{source.ftLastWriteTime.dwHighDateTime} << 32) |
                                source.ftLastWriteTime.dwLowDateTime};
    }
    bool Delete(PlainFile& file, const std::wstring& sPath) {
        std::wstring why;
        if (file.Delete(why)) {
            DPrint(L"removed: " + sPath);
            ++run_.tally.removed;
            return true;
        }
        Fail(L"failed to remove \"" + sPath + L"\": " + why);
        return false;
    }
    void Forget(Recorded kind) {
        std::wstring why;
        if (!ForgetRecorded(name_, kind, why)) Fail(why);
    }
    // The record's entry passes to what the configuration installs now under that kind.
    void Succeed(Recorded kind) {
        InstallRecord successor;
        switch (kind) {
        case Recorded::Template:
            successor.templateCopy = successors_->templateCopy;
            break;
        case Recorded::Icon:
            successor.iconCopy = successors_->iconCopy;
            break;
        case Recorded::Shortcut:
            successor.shortcut = successors_->shortcut;
            break;
        }
        if (successor.Empty()) return Forget(kind);
        std::wstring why;
        if (!KeepInstallRecord(name_, successor, why)) Fail(why);
    }

    InstallRun& run_;
    const std::wstring name_;
    const std::wstring who_;
    const RetiredGives gives_;
    const InstallRecord* successors_;
    bool ok_ = true;
};

} // namespace

bool RemoveInstalls(InstallRun& run, const std::wstring& sConfigName, const InstallRecord& record,
                    const RetiredGives& gives, const InstallRecord* successors) {
    Remover remover(run, sConfigName, gives, successors);
    for (const Recorded kind : {Recorded::Shortcut, Recorded::Icon, Recorded::Template})
        remover.Judge(kind, record);
    return remover.ok();
}

} // namespace Module1
