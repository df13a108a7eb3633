#pragma once
// What start-up finds before either mode begins: the caller decides what to say about
// what is missing.
#include <string>

namespace Module1 {

struct StartupFindings {
    std::wstring wordExe;       // "" when no installed Word was found
    std::wstring userTemplates; // "" when the application-data folder is unknown
};

// Finds Word and the user's templates folder and fixes both for the process
// (AppState.h).
StartupFindings FindWordAndTemplates();

// Makes the Templates, AltIcons and Configs folders beside the program where missing.
void CreateDataFolders();

} // namespace Module1
