#include "support/DebugLog.h"
#include "support/FolderHandle.h"
#include "support/LinkTag.h"
#include "support/PlainFile.h"
#include "support/Staging.h"
#include "support/Text.h"

#include <cwctype>

namespace CommonModule {

namespace {

// Only plain files inside, each deleted through its own handle after the check that it
// stands in this folder: a subfolder or a link means someone other than this program
// put it there, and it is not this program's to remove.
bool RemovePlainFilesIn(const CheckedFolder& folder, std::wstring& why) {
    // Listed through the handle that holds the folder, not by its path again.
    std::vector<ListedEntry> entries;
    if (!ListThrough(folder.handle(), entries, why)) return false;
    why = NotOnlyFiles(entries);
    if (!why.empty()) return false;
    for (const auto& entry : entries) {
        PlainFile file;
        const CheckedFolder::Found kind = folder.Open(entry.name, file, why);
        if (kind == CheckedFolder::Found::Missing) continue;
        if (kind != CheckedFolder::Found::Plain) {
            why = L"\"" + entry.name + L"\": " + why;
            return false;
        }
        if (!file.Delete(why)) return false;
    }
    return true;
}

} // namespace

std::wstring NotOnlyFiles(const std::vector<ListedEntry>& entries) {
    for (const auto& entry : entries)
        if ((entry.attributes & FILE_ATTRIBUTE_DIRECTORY) ||
            IsLinkTag(entry.attributes, entry.reparseTag))
            return L"it holds \"" + entry.name + L"\", which is no plain file";
    return {};
}

bool NamedLikeWorkingFolder(const std::wstring& sName) {
    const std::wstring n = Text::Lower(sName);
    if (n.size() != 11 || !n.starts_with(L"~dv") || !n.ends_with(L".tmp")) return false;
    for (size_t i = 3; i < 7; ++i)
        if (!iswxdigit(n[i])) return false;
    return true;
}

bool RemoveStaleWorkingFolders(const std::wstring& sParent,
                               const std::vector<std::wstring>& names) {
    if (names.empty()) return true;
    const CheckedFolder parent(sParent);
    bool ok = true;
    for (const auto& name : names) {
        CheckedFolder folder(parent, name);
        // Held open by a run still at work, however long its copy takes; a link there
        // is not followed.
        if (!folder.ok()) continue;
        std::wstring why;
        if (!RemovePlainFilesIn(folder, why) || !folder.Remove(why)) {
            DPrint(L"the working folder of an interrupted run stays: " + folder.path() + L": " +
                   why);
            ok = false;
            continue;
        }
        DPrint(L"removed the working folder of an interrupted run: " + folder.path());
    }
    return ok;
}

} // namespace CommonModule
