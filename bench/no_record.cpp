// Dorvane.exe without its install record, to see what keeping the record costs a run:
// linked ahead of the library, these take the place of the five calls that read and
// write the record, so that the record's own file is never linked in. Nothing else of
// the program differs.
#include "core/InstallRecord.h"

namespace Module1 {

InstallRecord ReadInstallRecord(const std::wstring&) {
    return {};
}

RecordedShortcut ReadRecordedShortcut(const std::wstring&) {
    return {};
}

InstallRecord ReadRecordedPaths(const std::wstring&) {
    return {};
}

std::optional<InstallRecord> ReadRecordUnlessHolds(const std::wstring&, const InstallRecord&) {
    return std::nullopt;
}

bool KeepInstallRecord(const std::wstring&, const InstallRecord&, std::wstring&) {
    return true;
}

bool ForgetRecorded(const std::wstring&, Recorded, std::wstring&) {
    return true;
}

} // namespace Module1
