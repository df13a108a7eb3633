#pragma once
// The process-wide values that startup fixes and everything after it only reads.
#include <string>

namespace Module1 {

extern std::wstring sWordExePath;       // the Word executable found at startup; "" for none
extern std::wstring sExcelExePath;      // the same for Excel
extern std::wstring sPowerPointExePath; // the same for PowerPoint
extern std::wstring sUserTemplatesDir;  // the user's Word templates folder, no trailing "\"

} // namespace Module1
