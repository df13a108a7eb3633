#pragma once
// The security of a run's working folder. Only the run's own token may put anything in
// it: a process of the user that is not elevated cannot plant a name there for an
// elevated run to write through. The files staged in it still receive what the folder
// it stands in would give them, so that moving one into place changes nothing of
// who may read it.
#include <windows.h>

#include <string>
#include <vector>

namespace CommonModule {

// A SID of this process's token: TokenOwner, the owner the system gives what the process
// makes (for an elevated administrator BUILTIN\Administrators, for a standard user the
// user), or TokenUser. Empty, with the system's reason in why, when the token would not
// say.
std::vector<BYTE> TokenSid(TOKEN_INFORMATION_CLASS which, std::wstring& why);

// Who gets the working folder: the token's default owner; on the network the user, as
// whom the server knows every process of the user, elevated or not (a local group such
// as BUILTIN\Administrators names another group there).
inline TOKEN_INFORMATION_CLASS WorkingFolderOwner(bool bOnNetwork) {
    return bOnNetwork ? TokenUser : TokenOwner;
}

// The working folder's own access list: full control for `owner` and for SYSTEM on the
// folder itself, nothing else there; each entry of parentDacl (may be null) that its
// files and folders would inherit is kept for them alone (inherit only). Empty when the
// list cannot be built.
std::vector<BYTE> WorkingFolderAcl(PSID owner, const ACL* parentDacl);

// A security descriptor that makes a folder with that list, protected from inheriting.
class OwnFolderSecurity {
  public:
    // The list built for WorkingFolderOwner and from the parent folder's list;
    // ok() false (why() says why) when either cannot be read.
    explicit OwnFolderSecurity(const std::wstring& sParent);
    bool ok() const { return !acl_.empty(); }
    const std::wstring& why() const { return why_; }
    PSECURITY_DESCRIPTOR descriptor() { return &descriptor_; }

  private:
    std::vector<BYTE> owner_, acl_;
    SECURITY_DESCRIPTOR descriptor_{};
    std::wstring why_;
};

} // namespace CommonModule
