#pragma once
// Writes that land whole or not at all: a new file is made in a fresh folder of the
// process's own beside its destination and only then takes the destination's name in
// one step. The old file stays untouched until that step, and a link planted under the
// destination's name is replaced as a name, never written through.
#include "support/InheritedOnly.h"
#include "support/ScopedWin.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace CommonModule {

// Paths of 260 characters or more in the form the wide file calls accept.
std::wstring LongPathSafe(const std::wstring& sPath);
// A folder to be made, in the form CreateDirectoryW accepts: its plain form leaves room
// for an 8.3 name and takes 247 characters at most, so from 248 on the long form.
std::wstring NewFolderPathSafe(const std::wstring& sPath);

// The two queries that follow a working folder's making (put in from outside by tests:
// Wine answers both at once).
struct HoldCalls {
    std::function<bool(HANDLE, std::wstring&, std::wstring&)> nameOf; // NameOfHandle
    std::function<BOOL(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD)> setInfo;
    static HoldCalls System();
};

class StagingFolder {
  public:
    // Makes a new, empty, hidden folder in sParent that no one else can have prepared;
    // ok() tells whether that worked, why() says why not. One made that cannot be held
    // (a query about it failed) is removed again through its handle.
    explicit StagingFolder(const std::wstring& sParent,
                           const HoldCalls& calls = HoldCalls::System());
    ~StagingFolder(); // removes the folder with whatever is left in it
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    bool ok() const { return !path_.empty(); }
    const std::wstring& path() const { return path_; }
    const std::wstring& why() const { return why_; }

    // Before a write into the folder: nothing stands under sRel (a name, or a path
    // within the folder, whose first part is checked), asked through the folder's
    // handle. False, with a sentence naming the folder and what stands there.
    bool Vacant(const std::wstring& sRel, std::wstring& why) const;
    // After it: what stands under sRel, if anything, is a plain file with this one
    // name, reached through the folder's handle and never through a link.
    bool Landed(const std::wstring& sRel, std::wstring& why) const;

  private:
    void Hold(const HoldCalls& calls);

    std::wstring path_;
    std::wstring name_; // from its volume's root, as its handle reports it
    std::wstring why_;
    ScopedWin::UniqueFile hold_;
};

// The working folders of one run, one per destination folder, made on first use and
// used again: making and removing a folder costs more than the copy (Wine: a quarter
// of a millisecond). They are removed when the owner ends.
class WorkingFolders {
  public:
    WorkingFolders() = default;
    WorkingFolders(const WorkingFolders&) = delete;
    WorkingFolders& operator=(const WorkingFolders&) = delete;

    // The working folder in sParent (check ok()). One that has since been replaced (by a
    // link, say) is left alone and a new one made.
    const StagingFolder& In(const std::wstring& sParent);
    // The folders working folders were made in.
    std::vector<std::wstring> Parents() const;

  private:
    struct Shared {
        std::wstring parent;
        std::unique_ptr<StagingFolder> folder;
    };
    std::vector<Shared> folders_;
};

// "~dv" + four hex digits + ".tmp": the names StagingFolder gives.
bool NamedLikeWorkingFolder(const std::wstring& sName);
// Removes the working folders that interrupted runs (a logoff, a power cut) left in
// sParent, among `names`: folders a listing of sParent showed hidden and named as this
// program names them. A run still at work holds its folder open (StagingFolder), so one
// that can be opened for deleting is no one's; it goes when it holds nothing but plain
// files, each deleted through a handle checked to lead into it. One debug line for each
// folder removed, and for each that had to stay, with why; false when one had to stay
// for what it holds.
bool RemoveStaleWorkingFolders(const std::wstring& sParent, const std::vector<std::wstring>& names);
// Why a working folder with these entries is not one to remove: a folder or a link in
// it; "" when it holds only files. (The entries put in from outside by tests.)
struct ListedEntry; // support/FolderHandle.h
std::wstring NotOnlyFiles(const std::vector<ListedEntry>& entries);

// Puts sStaged in the place of sDest in one step, replacing a file (or a link) of that
// name; a read-only old file is replaced too. False with the system's reason in why (and
// as the last error). With Keep::AttributesAndSecurity a plain old file passes its
// attributes and security settings on to the new one (ReplaceKeepingSecurity), and is
// never replaced in any way that would drop them: a read-only one is not replaced.
// The installed copies do without it: Wine shows a link planted as a Unix symbolic link
// as a plain file, and its replace-in-place deletes what the link leads to.
enum class Keep { Nothing, AttributesAndSecurity };
bool ReplaceByName(const std::wstring& sStaged, const std::wstring& sDest, std::wstring& why,
                   Keep keep = Keep::Nothing);

// The step ReplaceByName takes when the platform refused to move over a read-only
// plain file (Wine does not refuse: tests call it themselves): the file, opened through
// its folder without following a link, is made writable through that handle, and only
// when it has no other name (a hard link's other names would lose the attribute too).
bool ReplaceReadOnly(const std::wstring& sStaged, const std::wstring& sDest, DWORD attributes,
                     std::wstring& why);

// The platform's replace-in-place (ReplaceFileW with a backup name), put in from outside
// by tests, which cannot make Windows fail it halfway.
using ReplaceFileCall =
    std::function<bool(const std::wstring& sReplaced, const std::wstring& sReplacement,
                       const std::wstring& sBackup, DWORD flags)>;
bool SystemReplaceFile(const std::wstring& sReplaced, const std::wstring& sReplacement,
                       const std::wstring& sBackup, DWORD flags);
using PermissionsCall = std::function<Permissions(const std::wstring& sPath)>;
// sStaged takes the place of the plain file sDest, which passes on its attributes and
// security settings (or, when refused the right to change them, passes on nothing where
// all it has is inherited: `permissions`, put in from outside by tests). The old file is never
// lost: it stays in place, or, when the platform gave up halfway with the old file moved aside, is
// put back by name (or, failing that, why says where it is). False, with the reason in why and as
// the last error, when sDest was not replaced; sStaged then is still there to be removed.
bool ReplaceKeepingSecurity(const std::wstring& sStaged, const std::wstring& sDest,
                            std::wstring& why, const ReplaceFileCall& replace = SystemReplaceFile,
                            const PermissionsCall& permissions = PermissionsOf);

// Makes the folder and its missing parents; true when a folder stands there afterwards.
bool MakeFolderTree(const std::wstring& sPath);

} // namespace CommonModule
