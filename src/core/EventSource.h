#pragma once
// "/registerevents" and "/unregisterevents": the Application log's key for the source
// "Dorvane", naming this executable as the file that holds the events' messages. Run
// once per machine by an administrator; a logon run never needs it.
#include "core/ExitCodes.h"

#include <windows.h>

#include <string>

namespace Module1 {

// Writes (bRegister) or removes the source's key below hApplicationLog, the
// Application log's key as the caller could open it. Without the rights to change it,
// one debug line and ExitNoRights, and nothing changed.
ExitCode ChangeEventSource(HKEY hApplicationLog, bool bRegister, const std::wstring& sMessageFile);
// What the registry's answer means for the command: exit 0, ExitNoRights for a denial,
// or ExitStepFailed, with one debug line when it failed.
ExitCode EventSourceOutcome(LSTATUS status, bool bRegister);
// The same below HKEY_LOCAL_MACHINE, for this executable.
ExitCode ChangeEventSource(bool bRegister);

} // namespace Module1
