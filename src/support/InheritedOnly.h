#pragma once
// Whether a file's permissions are only what its folder gives it. Replacing a file in
// place keeps its permissions, which needs the right to change them (WRITE_DAC); a share
// with the permission "Change", or an OWNER RIGHTS entry, never grants that. A file whose
// permissions are all inherited loses nothing when its replacement, made in the same
// folder, keeps the ones that replacement inherited instead.
#include <windows.h>

#include <string>

namespace CommonModule {

enum class Permissions {
    Inherited, // not protected, and every entry inherited
    Own,       // protected, or an entry of its own (or none at all: open to everyone)
    Unknown,   // they could not be read
};

Permissions PermissionsFrom(SECURITY_DESCRIPTOR_CONTROL control, BOOL bDaclPresent,
                            const ACL* dacl);
// The file's, read by path (READ_CONTROL).
Permissions PermissionsOf(const std::wstring& sPath);

} // namespace CommonModule
