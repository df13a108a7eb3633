#include "support/InheritedOnly.h"

#include "support/ScopedWin.h"
#include "support/Staging.h"

#include <aclapi.h>

namespace CommonModule {

Permissions PermissionsFrom(SECURITY_DESCRIPTOR_CONTROL control, BOOL bDaclPresent,
                            const ACL* dacl) {
    if ((control & SE_DACL_PROTECTED) || !bDaclPresent || !dacl) return Permissions::Own;
    for (WORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(const_cast<ACL*>(dacl), i, &ace)) return Permissions::Unknown;
        if (!(static_cast<ACE_HEADER*>(ace)->AceFlags & INHERITED_ACE)) return Permissions::Own;
    }
    return Permissions::Inherited;
}

Permissions PermissionsOf(const std::wstring& sPath) {
    PSECURITY_DESCRIPTOR sd = nullptr;
    PACL dacl = nullptr;
    if (GetNamedSecurityInfoW(LongPathSafe(sPath).c_str(), SE_FILE_OBJECT,
                              DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                              &sd) != ERROR_SUCCESS)
        return Permissions::Unknown;
    const ScopedWin::UniqueLocal owner(sd);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    BOOL present = FALSE, defaulted = FALSE;
    PACL read = nullptr;
    if (!GetSecurityDescriptorControl(sd, &control, &revision) ||
        !GetSecurityDescriptorDacl(sd, &present, &read, &defaulted))
        return Permissions::Unknown;
    return PermissionsFrom(control, present, read);
}

} // namespace CommonModule
