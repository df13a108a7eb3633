#pragma once
// The install record: what installing each configuration put in place for the user, or
// found in place, kept in the user's own registry hive under
// HKEY_CURRENT_USER\Software\Dorvane\Installed\<configuration name>. It roams with the
// profile and a deployment tool's detection rule can read it; the README documents the
// key and its values. Removing a configuration's files asks it what is ours.
#include <windows.h>

#include <optional>
#include <string>

namespace Module1 {

inline constexpr wchar_t kInstallRecordKey[] = L"Software\\Dorvane\\Installed";

// One file an install put (or found) in place: its path with the name it landed under,
// as the file system reports it, its size and its last-write time.
struct RecordedFile {
    std::wstring path; // "" when the record holds no such file
    ULONGLONG size = 0;
    ULONGLONG time = 0; // last-write time, a FILETIME as one number (100 ns since 1601, UTC)
    bool operator==(const RecordedFile&) const = default;
};

// What a shortcut holds, in the form a link written with these values reads back, field
// by field as the unchanged check compares them.
struct LinkFields {
    std::wstring target, arguments, workingFolder, description, iconFile;
    DWORD iconIndex = 0, hotKey = 0, show = 0; // show: the show command's effect
    bool operator==(const LinkFields&) const = default;
};

struct RecordedShortcut {
    RecordedFile file;
    LinkFields fields;
    bool operator==(const RecordedShortcut&) const = default;
};

struct InstallRecord {
    RecordedFile templateCopy, iconCopy;
    RecordedShortcut shortcut;
    bool Empty() const {
        return templateCopy.path.empty() && iconCopy.path.empty() && shortcut.file.path.empty();
    }
};

enum class Recorded { Template, Icon, Shortcut };

// The record of sConfigName; what it does not hold comes back empty.
InstallRecord ReadInstallRecord(const std::wstring& sConfigName);
// Only the shortcut the record of sConfigName holds: its file and its fields.
RecordedShortcut ReadRecordedShortcut(const std::wstring& sConfigName);
// Only the paths of what the record of sConfigName holds (the names it claims).
InstallRecord ReadRecordedPaths(const std::wstring& sConfigName);
// The record of sConfigName, unless its summary shows that it holds exactly `landed`,
// no item more or less: then none, after one query. Empty when there is no record.
std::optional<InstallRecord> ReadRecordUnlessHolds(const std::wstring& sConfigName,
                                                   const InstallRecord& landed);
// Writes each item of `landed` that has a path over the one recorded, leaving the others
// as they are, and writes nothing that is recorded already. False, with the system's
// reason in why, when it could not be written.
bool KeepInstallRecord(const std::wstring& sConfigName, const InstallRecord& landed,
                       std::wstring& why);
// Drops one item from the record; the configuration's key goes once it holds none.
bool ForgetRecorded(const std::wstring& sConfigName, Recorded kind, std::wstring& why);

} // namespace Module1
