#pragma once
// What the configurations still in "Configs" install, by name as it lands: removing a
// retired configuration leaves every one of these names alone, whoever wrote the file.
#include "core/InstallRecord.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace Module1 {

// A file name as the file system compares it: the last part of a path ("\" or "/"),
// without the blanks and dots Windows drops at the end, each unit in upper case.
std::wstring FoldedName(std::wstring_view sPathOrName);
// A path below a folder ("Sub\Offer.dotx") as the file system compares paths: each
// part as FoldedName has it, "/" as "\".
std::wstring FoldedPath(const std::wstring& sRelative);

struct CurrentInstalls {
    // Names in the user's templates folder and on the desktop (with ".lnk"), folded.
    std::unordered_set<std::wstring> files, shortcuts;
    // The configurations whose names are noted, folded.
    std::unordered_set<std::wstring> configs;
    // Every configuration listed in "Configs": its folded name, and the name as listed.
    std::unordered_map<std::wstring, std::wstring> listed;
    // Why this run cannot tell what every current configuration installs; "" when it can.
    std::wstring blind;

    // Names as a configuration spells them.
    void NoteFile(const std::wstring& sRelative) {
        if (!sRelative.empty()) files.insert(FoldedName(sRelative));
    }
    void NoteShortcut(const std::wstring& sName) {
        if (!sName.empty()) shortcuts.insert(FoldedName(sName + L".lnk"));
    }
    // Names as they landed.
    void NoteRecord(const InstallRecord& record) {
        NoteFile(record.templateCopy.path);
        NoteFile(record.iconCopy.path);
        if (!record.shortcut.file.path.empty())
            shortcuts.insert(FoldedName(record.shortcut.file.path));
    }
    void Blind(const std::wstring& sWhy) {
        if (blind.empty()) blind = sWhy;
    }
};

} // namespace Module1
