#include "support/VerifiedCopy.h"

#include "support/DebugLog.h"
#include "support/FileCopy.h"
#include "support/LinkTag.h"
#include "support/Probes.h"
#include "support/ScopedWin.h"
#include "support/Staging.h"

#include <windows.h>

#include <vector>

namespace CommonModule {

namespace {

// What the copy is to bring, relative to the source's folder; folders before what they
// hold.
struct Plan {
    std::vector<std::wstring> folders;
    std::vector<std::wstring> files;
    bool empty() const { return folders.empty() && files.empty(); }
};

bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

void AddMatches(const std::wstring& base, const std::wstring& pattern, const std::wstring& rel,
                Plan& plan) {
    WIN32_FIND_DATAW found{};
    ScopedWin::UniqueFind search(
        FindFirstFileW(LongPathSafe(base + L"\\" + pattern).c_str(), &found));
    if (!search) return;
    std::vector<std::wstring> subfolders;
    do {
        if (IsDotEntry(found.cFileName)) continue;
        const std::wstring name = rel.empty() ? found.cFileName : rel + L"\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            subfolders.push_back(name);
        else
            plan.files.push_back(name);
    } while (FindNextFileW(search.get(), &found));
    search.reset();
    for (const auto& folder : subfolders) {
        plan.folders.push_back(folder);
        AddMatches(base, folder + L"\\*", folder, plan);
    }
}

class Failures {
  public:
    Failures(const std::wstring& who, std::wstring& why) : who_(who), why_(why) {}
    void Add(const std::wstring& sentence) {
        DPrintStepFailed(who_ + L": " + sentence);
        if (ok_) why_ = sentence;
        ok_ = false;
    }
    bool ok() const { return ok_; }

  private:
    const std::wstring& who_;
    std::wstring& why_;
    bool ok_ = true;
};

bool Within(const std::wstring& rel, const std::vector<std::wstring>& folders) {
    for (const auto& folder : folders)
        if (rel.size() > folder.size() && rel.compare(0, folder.size(), folder) == 0 &&
            rel[folder.size()] == L'\\')
            return true;
    return false;
}

// What a listing of its folder showed of the one file being copied.
struct ListedSource {
    const std::wstring& name;
    const WIN32_FILE_ATTRIBUTE_DATA& data;
};

// Why the source of a failed copy cannot be read, as a sentence's end; "" when it can.
std::wstring UnreadableSource(const std::wstring& sSource) {
    bool missing = false;
    const std::wstring reason = WhyNotReadable(sSource, missing);
    if (missing) return L": it is no longer there";
    return reason.empty() ? std::wstring() : L": " + reason;
}

bool CopyPlanned(WorkingFolders& workingFolders, const std::wstring& sSource,
                 const ListedSource* listed, const std::wstring& sDestFolder,
                 const std::wstring& sWho, std::wstring& why);

// The working folder may be used again: nothing of a failed copy stays there.
void DiscardStaged(const std::wstring& sStaged) {
    SetFileAttributesW(LongPathSafe(sStaged).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(LongPathSafe(sStaged).c_str());
}

} // namespace

StagedVerdict JudgeStaged(const WIN32_FILE_ATTRIBUTE_DATA& listed,
                          const WIN32_FILE_ATTRIBUTE_DATA* staged,
                          const std::function<bool(WIN32_FILE_ATTRIBUTE_DATA&)>& sourceNow) {
    if (!staged) return StagedVerdict::NotCopied;
    if (SameSizeAndTime(listed, *staged)) return StagedVerdict::Copied;
    WIN32_FILE_ATTRIBUTE_DATA now{};
    if (!sourceNow(now)) return StagedVerdict::NotCopied;
    return SameSizeAndTime(now, *staged) ? StagedVerdict::Copied : StagedVerdict::SourceChanged;
}

bool CopyFilesVerified(const std::wstring& sSource, const std::wstring& sDestFolder,
                       const std::wstring& sWho, std::wstring& why) {
    WorkingFolders ownWorkingFolder;
    return CopyFilesVerified(ownWorkingFolder, sSource, sDestFolder, sWho, why);
}

bool CopyFilesVerified(WorkingFolders& workingFolders, const std::wstring& sSource,
                       const std::wstring& sDestFolder, const std::wstring& sWho,
                       std::wstring& why) {
    return CopyPlanned(workingFolders, sSource, nullptr, sDestFolder, sWho, why);
}

bool CopyListedFileVerified(WorkingFolders& workingFolders, const std::wstring& sSource,
                            const std::wstring& sListedName,
                            const WIN32_FILE_ATTRIBUTE_DATA& listed,
                            const std::wstring& sDestFolder, const std::wstring& sWho,
                            std::wstring& why) {
    const ListedSource source{sListedName, listed};
    return CopyPlanned(workingFolders, sSource, &source, sDestFolder, sWho, why);
}

bool PlaceStagedListedFile(WorkingFolders& workingFolders, const std::wstring& sSource,
                           const std::wstring& sListedName, const WIN32_FILE_ATTRIBUTE_DATA& listed,
                           const std::wstring& sDestFolder, const std::wstring& sWho,
                           std::wstring& why) {
    const StagingFolder& staging = workingFolders.In(sDestFolder);
    const std::wstring staged = staging.path() + L"\\" + sListedName;
    std::wstring reason;
    // Something that is not the file written stays as it is, whatever it leads to.
    if (staging.ok() && !staging.Landed(sListedName, reason)) {
        Failures(sWho, why).Add(reason);
        return false;
    }
    if (!staging.ok() || !FilesMatch(listed, staged)) {
        if (staging.ok()) DiscardStaged(staged);
        return CopyListedFileVerified(workingFolders, sSource, sListedName, listed, sDestFolder,
                                      sWho, why);
    }
    if (ReplaceByName(staged, sDestFolder + L"\\" + sListedName, reason)) return true;
    Failures(sWho, why).Add(L"\"" + sListedName + L"\" cannot take its place in \"" + sDestFolder +
                            L"\": " + reason);
    DiscardStaged(staged);
    return false;
}

namespace {

bool CopyPlanned(WorkingFolders& workingFolders, const std::wstring& sSource,
                 const ListedSource* listed, const std::wstring& sDestFolder,
                 const std::wstring& sWho, std::wstring& why) {
    Failures failures(sWho, why);
    const size_t cut = sSource.find_last_of(L'\\');
    const std::wstring base = cut == std::wstring::npos ? std::wstring() : sSource.substr(0, cut);
    Plan plan;
    // A listed file is what its folder's listing showed: the plan needs no search.
    if (listed)
        plan.files.push_back(listed->name);
    else if (cut != std::wstring::npos)
        AddMatches(base, sSource.substr(cut + 1), L"", plan);
    if (plan.empty()) {
        failures.Add(L"nothing to copy at \"" + sSource + L"\"");
        return false;
    }
    if (!MakeFolderTree(sDestFolder)) {
        failures.Add(L"the folder \"" + sDestFolder + L"\" cannot be made");
        return false;
    }
    const StagingFolder& staging = workingFolders.In(sDestFolder);
    if (!staging.ok()) {
        failures.Add(staging.why());
        return false;
    }
    // The copy writes only under names that nothing stands under yet.
    for (const auto* names : {&plan.folders, &plan.files})
        for (const auto& name : *names)
            if (std::wstring stood;
                name.find(L'\\') == std::wstring::npos && !staging.Vacant(name, stood)) {
                failures.Add(stood);
                return false;
            }
    // The shell's answer is not believed: what arrived is checked file by file below.
    CopyFiles(sSource, staging.path(), true, false);

    std::vector<std::wstring> refusedFolders;
    for (const auto& folder : plan.folders) {
        if (Within(folder, refusedFolders)) continue;
        const std::wstring dest = sDestFolder + L"\\" + folder;
        // Inside a folder that is where it should be, only a link or junction in place of
        // a subfolder can lead elsewhere; parents come before their subfolders here.
        WIN32_FIND_DATAW entry{};
        const bool made = MakeFolderTree(dest);
        if (made && EntryAt(dest, entry) && !IsLinkEntry(entry)) continue;
        const std::wstring reason =
            made ? L"the folder \"" + dest + L"\" is a link or junction"
                 : L"the folder \"" + folder + L"\" cannot be made in \"" + sDestFolder + L"\"";
        refusedFolders.push_back(folder);
        failures.Add(reason);
    }
    for (const auto& file : plan.files) {
        if (Within(file, refusedFolders)) continue;
        const std::wstring staged = staging.path() + L"\\" + file;
        std::wstring reason;
        // Something that is not the file written stays as it is, whatever it leads to.
        if (!staging.Landed(file, reason)) {
            failures.Add(reason);
            continue;
        }
        // A listed source is judged by what the listing showed before the copy, and by
        // the source itself when that disagrees.
        WIN32_FILE_ATTRIBUTE_DATA copy{};
        const StagedVerdict verdict =
            !listed ? FilesMatch(base + L"\\" + file, staged) ? StagedVerdict::Copied
                                                              : StagedVerdict::NotCopied
                    : JudgeStaged(listed->data, PlainFileData(staged, copy) ? &copy : nullptr,
                                  [&](WIN32_FILE_ATTRIBUTE_DATA& now) {
                                      return PlainFileData(sSource, now);
                                  });
        if (verdict == StagedVerdict::SourceChanged)
            failures.Add(L"\"" + file + L"\" was not copied to \"" + sDestFolder +
                         L"\": the source changed during the copy");
        else if (verdict == StagedVerdict::NotCopied)
            failures.Add(L"\"" + file + L"\" was not copied to \"" + sDestFolder + L"\"" +
                         (listed ? UnreadableSource(sSource) : std::wstring()));
        else if (!ReplaceByName(staged, sDestFolder + L"\\" + file, reason))
            failures.Add(L"\"" + file + L"\" cannot take its place in \"" + sDestFolder + L"\": " +
                         reason);
        else
            continue;
        DiscardStaged(staged);
    }
    return failures.ok();
}

} // namespace

} // namespace CommonModule
