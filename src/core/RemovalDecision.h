#pragma once
// Whether one file a configuration installed may be removed. Asked of the install
// record, of what stands under the file's name now and of what the current
// configurations claim; it does no I/O of its own, so every rule of removing reads here
// and nowhere else. RetireConfig.cpp gathers what it asks for, deletes and forgets.
#include "core/CurrentInstalls.h"
#include "core/InstallRecord.h"

#include <windows.h>

#include <optional>
#include <string>

namespace Module1 {

// What the retired configuration gives, as its file reads now.
struct RetiredGives {
    // As the file spells them; the icon only with a shortcut (without one no icon is copied).
    std::wstring templateFile, shortcutIcon, shortcutName;
    // What its install writes into the shortcut (see ConfiguredShortcut).
    LinkFields shortcut;
    // What the record does not hold is judged by this file; false when only the record
    // may be trusted (a file of that name may be the user's own).
    bool judgesUnrecorded = false;
};

// The name an item of that kind lands under (a shortcut's with ".lnk"); "" when the
// configuration gives none.
std::wstring GivenName(const RetiredGives& gives, Recorded kind);

// What stands under the name in the user's folder, as found without following a link.
struct Standing {
    enum class Is { Missing, Plain, Other, Unopened };
    std::wstring folder; // the user's folder the kind lands in
    std::wstring name;   // as looked for; as the file system reports it when Plain
    Is is = Is::Missing;
    ULONGLONG size = 0, time = 0;   // when Plain
    std::optional<LinkFields> link; // a shortcut's fields as read back; none: unreadable
    // A copy the record does not hold: its source's size and time; none when it is gone.
    std::optional<RecordedFile> source;
    std::wstring why; // Other and Unopened: what stands there, or the system's reason
    // A recorded item in another folder than the user's (a desktop that OneDrive moved):
    // whether anything may still stand at the recorded path. Asked only when nothing
    // of that name is in the user's folder.
    bool atRecordedPath = false;
};

struct Removal {
    enum class Verdict {
        Remove, // delete it, then drop the record's entry
        Keep,   // with a line naming reason and path
        Gone,   // nothing there: drop the record's entry, no line
        Fail,   // it could not be looked at: a failed step, reason says why
    };
    Verdict verdict;
    std::wstring reason; // Keep and Fail
    std::wstring path;   // the path a line names
};

// The items of `recorded` that the configuration no longer installs: recorded under
// another name than the one it gives now (a renamed shortcut, another template), or
// with none given.
InstallRecord NoLongerGiven(const InstallRecord& recorded, const RetiredGives& gives);
// What the configuration gave when it installed `record`: the names its items were
// recorded under, so that DecideRemoval judges them as that configuration's.
RetiredGives GivesOfRecorded(const InstallRecord& record);

Removal DecideRemoval(Recorded kind, const InstallRecord& record, const RetiredGives& gives,
                      const Standing& now, const CurrentInstalls& claims);

} // namespace Module1
