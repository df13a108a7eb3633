#pragma once
// What installing a configuration will do, decided from what the run has read before
// anything is written: the steps in the order the run takes and reports them, and a
// summary of them (install, replace, unchanged, not for this user, cannot). The act
// (InstallAct.h) walks the steps; "/check" only reports them. The deciding asks its
// questions of an InstallWorld, so that a decision can be made and looked at without
// a disk.
#include "core/ConfigFormat.h"
#include "core/Groups.h"
#include "core/InstallRecord.h"
#include "core/NameOwners.h"
#include "core/OfficeApps.h"
#include "core/Unchanged.h"

#include <string>
#include <vector>

namespace Module1 {

// What the shortcut is to hold: CreateLink's arguments (no hot key, icon index 0, shown
// normally); an empty icon stands for the application's own.
struct LinkPlan {
    std::wstring folder, file; // the desktop, and the link's path there
    std::wstring description, target, workingFolder, arguments, icon;
};

struct InstallStep {
    enum class Op {
        Note,          // line: a debug line
        Fail,          // line: a failed step's debug line; reason: the result's reason
        Unchanged,     // the copy of source in folder is in place as it would be copied
        Copy,          // copy source into folder
        NeedTemplate,  // a failed template copy stops the shortcut unless path is there
        LinkUnchanged, // the link is in place as it would be written
        WriteLink,
    };
    Op op = Op::Note;
    Recorded item = Recorded::Template; // what a copy or check is of
    std::wstring line, reason;
    std::wstring source, folder, path;
    // Copy and WriteLink: a file of that name stands there now, which the act replaces.
    bool replaces = false;
    // Copy and WriteLink: an earlier configuration of the run puts exactly this in place;
    // once it has, this one finds it unchanged.
    bool afterEarlier = false;
};

struct InstallDecision {
    enum class Kind { Install, Replace, Unchanged, Remove, NotForUser, Cannot };
    std::wstring config;
    Kind kind = Kind::Unchanged;
    std::wstring reason;             // what changed, whom it is for, or why it cannot
    std::vector<std::wstring> paths; // where it lands, or what it removes
    std::vector<InstallStep> steps;
    LinkPlan link; // with a LinkUnchanged or WriteLink step
    // The names it claims against removal (as the configuration spells them), when it
    // may be this user's; and why the run cannot see what it installs, if so.
    bool bClaims = false;
    std::wstring templateFile, shortcutName, shortcutIcon;
    // Known to be the user's: the names above are what it installs now (the shortcut's
    // only when shortcuts were asked for), which its record is compared with.
    bool bApplies = false, bShortcutsAsked = false;
    std::wstring blind;
    bool bNotForUser = false;
    std::wstring groups; // when bNotForUser, as the lines show them
    // Its record is kept after the act: the run may write, the name is usable and the
    // configuration is the user's.
    bool bRecorded = false;
};

// The questions a decision asks, answered by the run (InstallConfig.cpp) or by a test.
class InstallWorld {
  public:
    virtual ~InstallWorld() = default;
    virtual bool TurnHeld(std::wstring& why) = 0;
    virtual ConfigValues Read(const std::wstring& sConfigFile) = 0;
    virtual bool IsFile(const std::wstring& sPath) = 0;
    // Why a configuration file that read as all empty says nothing (WhyConfigUnseen).
    virtual std::wstring WhyUnseen(const std::wstring& sConfigFile) = 0;
    virtual Applies Groups(const std::vector<std::wstring>& groups, std::wstring& why) = 0;
    virtual bool TemplatesUsable(std::wstring& why) = 0;
    virtual std::wstring Desktop(std::wstring& why) = 0;
    // Whether something may stand under sName in sFolder (asked before CopyInPlace).
    virtual bool Stands(const std::wstring& sFolder, const std::wstring& sName) = 0;
    virtual bool CopyInPlace(const std::wstring& sSource, const std::wstring& sFolder) = 0;
    virtual bool SourceThere(const std::wstring& sSource) = 0;
    // A source that is there as a plain file of no bytes.
    virtual bool SourceEmpty(const std::wstring& sSource) = 0;
    // Why a source that is not there cannot be used; missing when it simply is not there.
    virtual std::wstring WhyNotReadable(const std::wstring& sPath, bool& missing) = 0;
    virtual ShortcutStart Start(const std::wstring& sTemplateFile) = 0;
    // Judged by the listing and the configuration's install record before any read.
    virtual LinkVerdict LinkInPlace(const std::wstring& sConfigName, const LinkPlan& link) = 0;
};

// In one run a name in the user's templates folder (by its source below the program's
// folder) and on the desktop (by what the shortcut holds) belongs to the first
// configuration that puts something there; what a later one would put there instead is
// a clash, and is not done.
struct RunNames {
    NameOwners templatesFolder, desktop;
};

InstallDecision DecideInstall(InstallWorld& world, const std::wstring& sConfigName,
                              bool bMakeShortcut, RunNames* names = nullptr);
// The decisions of a run's configurations, in order; a copy or link that an earlier one
// puts in place is marked afterEarlier.
std::vector<InstallDecision>
DecideInstalls(InstallWorld& world, const std::vector<std::wstring>& names, bool bMakeShortcut);

} // namespace Module1
