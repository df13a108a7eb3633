#pragma once
// The process-wide values that startup fixes and everything after it only reads.
#include <string>
#include <vector>

namespace Module1 {

extern std::wstring sWordExePath;       // the Word executable found at startup; "" for none
extern std::wstring sExcelExePath;      // the same for Excel
extern std::wstring sPowerPointExePath; // the same for PowerPoint
extern std::wstring sUserTemplatesDir;  // the user's Word templates folder, no trailing "\"
// For each of OfficeApps(), true when startup took it from App Paths rather than the search.
extern std::vector<bool> bFoundInAppPaths;

} // namespace Module1
