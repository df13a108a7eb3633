#pragma once
// What the configurations still in "Configs" install, by name: removing a retired
// configuration leaves every one of these names alone, whoever wrote the file.
#include "support/Strings.h"
#include "support/Text.h"

#include <string>
#include <unordered_set>

namespace Module1 {

struct CurrentInstalls {
    // Names of templates and icons in the user's templates folder, in lower case.
    std::unordered_set<std::wstring> files;
    // Shortcut names on the desktop (without ".lnk"), in lower case.
    std::unordered_set<std::wstring> shortcuts;

    void NoteFile(const std::wstring& sRelative) {
        if (!sRelative.empty()) files.insert(Text::Lower(CommonModule::StripPath(sRelative)));
    }
    void NoteShortcut(const std::wstring& sName) {
        if (!sName.empty()) shortcuts.insert(Text::Lower(sName));
    }
};

} // namespace Module1
