#pragma once
// The trusted locations of an Office application as this user's registry holds them,
// and paths as this system sees them.
#include "core/TrustedLocations.h"

namespace Module1 {

// Below HKCU, for the application's key below Office ("Word") of that version ("16.0").
// Only the current user's hive is read: no file server is asked.
TrustSettings ReadTrustSettings(const std::wstring& sVersion, const wchar_t* sApp);

// Expands with this process's environment; a share, or a drive mapped to one, is on
// the network.
PathView SystemPathView();

} // namespace Module1
