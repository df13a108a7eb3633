#pragma once
// One run of installing: a command line's action, or one Install in the window. What a
// run learns once and uses for each configuration lives here and ends with the run:
// nothing of it outlives the run to be trusted by the next one.
#include "core/CurrentInstalls.h"
#include "core/KnownNames.h"
#include "core/ListedFiles.h"
#include "core/UserFolders.h"
#include "support/Staging.h"

namespace Module1 {

struct InstallRun {
    InstallRun() = default;
    InstallRun(const InstallRun&) = delete;
    InstallRun& operator=(const InstallRun&) = delete;

    // One working folder per destination, shared by the templates, icons and shortcuts
    // of the run and removed when it ends.
    CommonModule::WorkingFolders workingFolders;
    // The user's templates and desktop folders, looked up and checked once.
    UserFolders userFolders;
    // The names the destination folders held, listed once.
    KnownNames knownNames;
    // What the configurations installed (or read) so far install, kept from removal.
    CurrentInstalls current;
    // The source folders (Templates, AltIcons), listed once for their files' sizes
    // and times.
    ListedFiles sourceFiles;
};

} // namespace Module1
