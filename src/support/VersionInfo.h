#pragma once
// Reads the program's own version resource without version.dll: the start banner
// runs at every logon and should not load a library for four numbers and a name.
#include <windows.h>

#include <string>

namespace VersionInfo {

struct Fields {
    bool found = false;
    unsigned major = 0, minor = 0, build = 0, revision = 0;
    std::wstring title;       // FileDescription
    std::wstring productName; // ProductName
};

Fields ReadFromModule(HMODULE module);
// Another program's version resource, its file mapped as data only: nothing of it runs,
// and a 64-bit file reads as well as a 32-bit one. Given error, a file that cannot be
// mapped leaves the system's reason there (0 when the file has no version resource).
Fields ReadFromFile(const std::wstring& sPath, DWORD* error = nullptr);
// Parses a VS_VERSIONINFO block; exposed for tests.
Fields Parse(const void* data, size_t size);

// Title, "   v", major.minor[.revision when > 0], then the stage (" ALPHA" for "A",
// " BETA" for "B", else a blank and the stage) and "  - note" when there is one.
std::wstring Describe(const Fields& v, const std::wstring& sStage, const std::wstring& sNote);

} // namespace VersionInfo
