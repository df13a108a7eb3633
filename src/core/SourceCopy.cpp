#include "core/SourceCopy.h"

#include "core/InstallRun.h"
#include "support/Probes.h"
#include "support/VerifiedCopy.h"

namespace Module1 {

bool SourceThere(InstallRun& run, const std::wstring& sSource) {
    FolderListing::Entry listed;
    return run.sourceFiles.FindPlain(sSource, listed) || CommonModule::DoesFileExist(sSource);
}

bool SourceEmpty(InstallRun& run, const std::wstring& sSource) {
    FolderListing::Entry listed;
    WIN32_FILE_ATTRIBUTE_DATA& data = listed.data;
    if (!run.sourceFiles.FindPlain(sSource, listed) &&
        (!GetFileAttributesExW(sSource.c_str(), GetFileExInfoStandard, &data) ||
         (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    return data.nFileSizeHigh == 0 && data.nFileSizeLow == 0;
}

bool CopySource(InstallRun& run, const std::wstring& sSource, const std::wstring& sDestFolder,
                const std::wstring& sWho, std::wstring& why) {
    FolderListing::Entry listed;
    if (!run.sourceFiles.FindPlain(sSource, listed))
        return CommonModule::CopyFilesVerified(run.workingFolders, sSource, sDestFolder, sWho, why);
    return CommonModule::CopyListedFileVerified(run.workingFolders, sSource, listed.name,
                                                listed.data, sDestFolder, sWho, why);
}

} // namespace Module1
