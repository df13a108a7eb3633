#pragma once
// A path to the running executable that every logon session can reach for as long as
// the file stays where it is: what the event log's registration must name. The path a
// process was started by may not be: a mapped drive exists per logon session (and a
// SUBST drive per session too), an 8.3 name is an alias, and neither is what Event
// Viewer, in another session, can open.
#include <windows.h>

#include <functional>
#include <string>

namespace CommonModule {

// The system's answers the decision needs (put in from outside by tests).
struct PathAnswers {
    std::function<std::wstring(const std::wstring& sPath)> longForm;   // GetLongPathNameW
    std::function<UINT(const std::wstring& sRoot)> driveType;          // GetDriveTypeW, "N:\"
    std::function<std::wstring(const std::wstring& sPath)> universal;  // WNetGetUniversalNameW
    std::function<std::wstring(const std::wstring& sDrive)> dosDevice; // QueryDosDeviceW, "N:"
    static PathAnswers System();
};

// sPath (a full path) in its long form, a network drive's path in its UNC form, a SUBST
// drive's path on the drive it stands for. "" with why when it cannot be made one.
std::wstring LastingPath(const std::wstring& sPath, std::wstring& why,
                         const PathAnswers& answers = PathAnswers::System());

} // namespace CommonModule
