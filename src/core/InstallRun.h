#pragma once
// One run of installing: a command line's action, or one Install in the window. What a
// run learns once and uses for each configuration lives here and ends with the run:
// nothing of it outlives the run to be trusted by the next one.
#include "core/AppState.h"
#include "core/CurrentInstalls.h"
#include "core/Groups.h"
#include "core/KnownNames.h"
#include "core/ListedFiles.h"
#include "core/MacroNotices.h"
#include "core/OfficeApps.h"
#include "core/OfficeVersion.h"
#include "core/RemovalDecision.h"
#include "core/RunTally.h"
#include "core/UserFolders.h"
#include "support/PlainFile.h"
#include "support/Staging.h"
#include "support/TurnLock.h"

#include <unordered_set>

namespace Module1 {

inline std::wstring TurnFolder(UserFolders& folders) {
    std::wstring why;
    return folders.TemplatesFolderUsable(why) ? sUserTemplatesDir : std::wstring();
}

struct InstallRun {
    InstallRun() = default;
    // Whatever the run changed, it leaves no working folder of an interrupted run behind
    // in the folders it listed or wrote into.
    ~InstallRun() {
        if (!leftoversRemoved) RemoveLeftovers();
    }
    // The same, asked before the run ends: false when a working folder had to stay for
    // what it holds (its line says which and why).
    bool RemoveLeftovers() {
        leftoversRemoved = true;
        if (!turn.held()) return true;
        for (const auto& parent : workingFolders.Parents())
            knownNames.List(parent);
        bool ok = true;
        for (const auto& [folder, names] : knownNames.WorkingFoldersListed())
            ok = CommonModule::RemoveStaleWorkingFolders(folder, names) && ok;
        return ok;
    }
    // A run whose wait for its turn someone shows.
    explicit InstallRun(CommonModule::TurnWait* wait)
        : turn{sUserTemplatesDir, CommonModule::kTurnWaitMilliseconds, wait} {}
    // A run that only decides ("/check"): it takes no turn, makes no working folder and
    // removes no one's leftovers; what it would remove it notes in `removals`.
    struct CheckOnly {};
    explicit InstallRun(CheckOnly)
        : turn{CommonModule::TurnLock::NotNeeded{}}, bCheckOnly(true), leftoversRemoved(true) {}
    InstallRun(const InstallRun&) = delete;
    InstallRun& operator=(const InstallRun&) = delete;

    // The user's templates and desktop folders, looked up and checked once.
    UserFolders userFolders;
    // Runs for the same user take turns, the whole run long: the window's Install and
    // every command line action write into the same folders. Taken in the templates
    // folder, and only in one that may be written into; taken before anything is
    // written, given up last. Check turn.held() before touching anything.
    CommonModule::TurnLock turn{TurnFolder(userFolders)};
    // One working folder per destination, shared by the templates, icons and shortcuts
    // of the run and removed when it ends.
    CommonModule::WorkingFolders workingFolders;
    // The names the destination folders held, listed once.
    KnownNames knownNames;
    // What the configurations installed (or read) so far install, kept from removal.
    CurrentInstalls current;
    // The source folders (Templates, AltIcons), listed once for their files' sizes
    // and times.
    ListedFiles sourceFiles;
    // The user's membership of the groups configurations name, asked once per group.
    GroupCheck groups;
    // Configurations this run found to be for other users: what their records hold goes
    // once every current configuration has said what it installs.
    std::vector<std::wstring> notForUser;
    // What the record of a configuration installed in this run held that it no longer
    // installs (another ShortcutName, another TemplateFile), judged once every current
    // configuration has said what it installs; and what replaces each entry then.
    struct Former {
        std::wstring config;
        InstallRecord items, successors;
    };
    std::vector<Former> formerInstalls;
    // The user's folders that files are examined and deleted in, held open for the run.
    CommonModule::HeldFolders heldFolders;
    // What the run did, for a silent run's event.
    RunTally tally;
    // The Office applications' versions, each read once.
    OfficeVersions versions;
    // What the run has to tell about the macro-enabled templates it put in place.
    MacroNotices macroNotices{versions};
    // The paths in the user's folders the run has put in place (lower case).
    std::unordered_set<std::wstring> placed;
    // Sources already brought into a working folder by the run's one copy of many (lower
    // case); each is put in place by the step that copies it.
    std::unordered_set<std::wstring> staged;
    // The applications of the templates copied, or found unchanged, into the user's
    // templates folder.
    std::unordered_set<const OfficeApp*> templatesInPlace;
    const bool bCheckOnly = false;
    // What a check found each removal would do, by configuration.
    std::vector<std::pair<std::wstring, Removal>> removals;
    bool leftoversRemoved = false;
};

} // namespace Module1
