#include "core/InstallAct.h"

#include "core/AppState.h"
#include "core/FormerInstalls.h"
#include "core/InstallRun.h"
#include "core/SourceCopy.h"
#include "core/Unchanged.h"
#include "support/DebugLog.h"
#include "support/FileCopy.h"
#include "support/PlainFile.h"
#include "support/Probes.h"
#include "support/Strings.h"
#include "support/Text.h"
#include "support/VerifiedCopy.h"

#include <map>
#include <unordered_set>

namespace Module1 {

namespace {

using Op = InstallStep::Op;

// Keeps the reason of the first step that failed; later failures still count, but the
// first one is what an administrator has to fix first.
class Outcome {
  public:
    void Fail(std::wstring sReason) {
        if (!result_.bOk) return;
        result_.bOk = false;
        result_.sReason = std::move(sReason);
    }
    void NotForUser(std::wstring sGroups) {
        result_.bNotForUser = true;
        result_.sReason = std::move(sGroups);
    }
    InstallResult Result() && { return std::move(result_); }

  private:
    InstallResult result_;
};

// What installing put in place, or found in place, as the file system has it now: the
// listing the run made of the folder knows a file it did not write; one it wrote is
// asked for through a handle that does not follow a link.
RecordedFile Landed(InstallRun& run, const std::wstring& sFolder, const std::wstring& sSource,
                    bool bWritten) {
    const std::wstring name = CommonModule::StripPath(sSource);
    if (const FolderListing::Entry* entry =
            bWritten ? nullptr : run.knownNames.Listed(sFolder, name))
        return {sFolder + L"\\" + entry->name,
                (ULONGLONG{entry->data.nFileSizeHigh} << 32) | entry->data.nFileSizeLow,
                (ULONGLONG{entry->data.ftLastWriteTime.dwHighDateTime} << 32) |
                    entry->data.ftLastWriteTime.dwLowDateTime};
    CommonModule::PlainFile file;
    std::wstring why;
    if (run.heldFolders.In(sFolder).Open(name, file, why, false) !=
        CommonModule::CheckedFolder::Found::Plain) {
        CommonModule::DPrint(L"not recorded, so not removed when retired: \"" + sFolder + L"\\" +
                             name + L"\": " + why);
        return {};
    }
    return {sFolder + L"\\" + file.name(), file.size(), file.lastWriteTime()};
}

// A path the run has put in place, as the run compares paths.
std::wstring PlacedKey(const InstallStep& step) {
    return Text::Lower(step.path);
}

class Actor {
  public:
    Actor(InstallRun& run, const InstallDecision& d)
        : run_(run), d_(d), who_(L"InstallConfig: " + d.config) {}

    InstallResult Act() {
        if (d_.bNotForUser) outcome_.NotForUser(d_.groups);
        for (const auto& step : d_.steps)
            if (!Take(step)) break;
        return std::move(outcome_).Result();
    }
    const InstallRecord& landed() const { return landed_; }

  private:
    // False when the rest of the steps are not to be taken.
    bool Take(const InstallStep& step) {
        switch (step.op) {
        case Op::Note:
            CommonModule::DPrint(step.line);
            return true;
        case Op::Fail:
            CommonModule::DPrintStepFailed(step.line);
            outcome_.Fail(step.reason);
            return true;
        case Op::Unchanged:
            SayCopyUnchanged(run_, step.path);
            Keep(step, false);
            return true;
        case Op::Copy:
            Copy(step);
            return true;
        case Op::NeedTemplate:
            if (templateCopied_ || CommonModule::IsExistingFile(step.path)) return true;
            CommonModule::DPrintStepFailed(step.line);
            outcome_.Fail(step.reason);
            return false;
        case Op::LinkUnchanged:
            SayLinkUnchanged(run_, d_.link.file);
            Link(false);
            return true;
        case Op::WriteLink:
            WriteOrKeep(step);
            return true;
        }
        return true;
    }
    void Keep(const InstallStep& step, bool bWritten) {
        const RecordedFile file = Landed(run_, step.folder, step.source, bWritten);
        (step.item == Recorded::Icon ? landed_.iconCopy : landed_.templateCopy) = file;
        if (step.item != Recorded::Template) return;
        run_.templatesInPlace.insert(&AppForTemplate(step.source));
        run_.macroNotices.InPlace({d_.config, d_.templateFile, step.source,
                                   step.folder + L"\\" + CommonModule::StripPath(step.source),
                                   bWritten});
    }
    void Copy(const InstallStep& step) {
        if (step.afterEarlier && run_.placed.contains(PlacedKey(step))) {
            SayCopyUnchanged(run_, step.path);
            return Keep(step, false);
        }
        std::wstring why;
        if (!Place(step, why)) {
            outcome_.Fail((step.item == Recorded::Icon ? L"failed to copy the icon: "
                                                       : L"failed to copy the template: ") +
                          why);
            if (step.item == Recorded::Template) templateCopied_ = false;
            return;
        }
        ++run_.tally.installed;
        run_.placed.insert(PlacedKey(step));
        Keep(step, true);
    }
    bool Place(const InstallStep& step, std::wstring& why) {
        FolderListing::Entry listed;
        if (!run_.staged.erase(Text::Lower(step.source)) ||
            !run_.sourceFiles.FindPlain(step.source, listed))
            return CopySource(run_, step.source, step.folder, who_, why);
        return CommonModule::PlaceStagedListedFile(run_.workingFolders, step.source, listed.name,
                                                   listed.data, step.folder, who_, why);
    }
    void WriteOrKeep(const InstallStep& step) {
        const LinkPlan& link = d_.link;
        if (step.afterEarlier && run_.placed.contains(PlacedKey(step))) {
            SayLinkUnchanged(run_, link.file);
            return Link(false);
        }
        std::wstring why;
        if (!WriteLink(run_, link.description, link.file, link.target, link.workingFolder,
                       link.arguments, 0, 0, SW_SHOW, link.icon, &why)) {
            const std::wstring reason =
                L"failed to write the shortcut \"" + link.file + L"\": " + why;
            CommonModule::DPrintStepFailed(who_ + L": " + reason);
            outcome_.Fail(reason);
            return;
        }
        run_.placed.insert(PlacedKey(step));
        Link(false);
    }
    void Link(bool bWritten) {
        const LinkPlan& link = d_.link;
        if (const RecordedFile file = Landed(run_, link.folder, link.file, bWritten);
            !file.path.empty())
            landed_.shortcut = {file,
                                StoredLinkFields(link.description, link.target, link.workingFolder,
                                                 link.arguments, 0, 0, SW_SHOW, link.icon)};
    }

    InstallRun& run_;
    const InstallDecision& d_;
    const std::wstring who_;
    Outcome outcome_;
    InstallRecord landed_;
    bool templateCopied_ = true;
};

} // namespace

void StageCopies(InstallRun& run, const std::vector<InstallDecision>& decisions) {
    struct Batch {
        std::vector<std::wstring> sources;
        std::unordered_set<std::wstring> names; // as they land, folded
    };
    std::map<std::wstring, Batch> batches; // by destination folder
    for (const auto& d : decisions)
        for (const auto& step : d.steps) {
            FolderListing::Entry listed;
            if (step.op != Op::Copy || step.afterEarlier ||
                !run.sourceFiles.FindPlain(step.source, listed))
                continue;
            // A second source of the same name would land on the first: it goes on its own.
            Batch& batch = batches[step.folder];
            if (!batch.names.insert(FoldedName(listed.name)).second) continue;
            batch.sources.push_back(step.source);
        }
    for (const auto& [folder, batch] : batches) {
        if (!CommonModule::MakeFolderTree(folder)) continue;
        const CommonModule::StagingFolder& staging = run.workingFolders.In(folder);
        if (!staging.ok()) continue;
        // The copy writes only under names that nothing stands under yet; a source whose
        // name is taken there goes on its own, and fails.
        std::vector<std::wstring> sources;
        for (const auto& source : batch.sources)
            if (std::wstring stood; staging.Vacant(CommonModule::StripPath(source), stood))
                sources.push_back(source);
        // The shell's answer is not believed: each step checks its own file.
        CommonModule::CopyFilesInto(sources, staging.path());
        for (const auto& source : sources)
            run.staged.insert(Text::Lower(source));
    }
}

InstallResult ActOnDecision(InstallRun& run, const InstallDecision& d) {
    Actor actor(run, d);
    InstallResult result = actor.Act();
    if (!d.bRecorded) return result;
    // Not this user's: it claims nothing, and its record is for removing.
    if (result.bNotForUser) {
        run.notForUser.push_back(d.config);
        return result;
    }
    run.current.configs.insert(FoldedName(d.config));
    std::wstring why;
    if (!KeepRecord(run, d, actor.landed(), why)) {
        CommonModule::DPrintStepFailed(L"InstallConfig: " + d.config + L": " + why);
        if (result.bOk) result = {false, why};
    }
    return result;
}

} // namespace Module1
