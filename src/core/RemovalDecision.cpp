#include "core/RemovalDecision.h"

#include "support/Strings.h"
#include "support/Text.h"

#include <algorithm>

namespace Module1 {

namespace {

using Verdict = Removal::Verdict;

const RecordedFile& RecordedOf(const InstallRecord& record, Recorded kind) {
    switch (kind) {
    case Recorded::Template:
        return record.templateCopy;
    case Recorded::Icon:
        return record.iconCopy;
    case Recorded::Shortcut:
        break;
    }
    return record.shortcut.file;
}

std::wstring FolderOf(const std::wstring& sPath) {
    const size_t cut = sPath.find_last_of(L'\\');
    return cut == std::wstring::npos ? std::wstring() : sPath.substr(0, cut);
}

// An older install wrote no record to compare with: a shortcut is this configuration's
// only when everything the configuration decides in it is still as its install wrote it,
// so that a description or icon the user changed keeps the shortcut.
bool AsConfigured(const std::optional<LinkFields>& read, const LinkFields& configured) {
    return read && !configured.target.empty() && read->target == configured.target &&
           read->arguments == configured.arguments && read->description == configured.description &&
           read->iconFile == configured.iconFile && read->iconIndex == configured.iconIndex;
}

// Why a file that is there and claimed by no current configuration stays; "" when it
// is still what the install wrote.
std::wstring Changed(Recorded kind, const RecordedFile* recorded, const InstallRecord& record,
                     const RetiredGives& gives, const Standing& now) {
    const bool isShortcut = kind == Recorded::Shortcut;
    const wchar_t* changed = L"changed since it was installed";
    if (recorded)
        return now.size != recorded->size || now.time != recorded->time ||
                       (isShortcut && now.link != record.shortcut.fields)
                   ? changed
                   : L"";
    if (isShortcut)
        return AsConfigured(now.link, gives.shortcut) ? L""
                                                      : L"not installed by this configuration";
    if (!now.source)
        return std::wstring(L"the source is no longer in ") +
               (kind == Recorded::Icon ? L"AltIcons" : L"Templates");
    return now.size != now.source->size || now.time != now.source->time ? changed : L"";
}

} // namespace

std::wstring GivenName(const RetiredGives& gives, Recorded kind) {
    switch (kind) {
    case Recorded::Template:
        return CommonModule::StripPath(gives.templateFile);
    case Recorded::Icon:
        return CommonModule::StripPath(gives.shortcutIcon);
    case Recorded::Shortcut:
        break;
    }
    return gives.shortcutName.empty() ? std::wstring() : gives.shortcutName + L".lnk";
}

InstallRecord NoLongerGiven(const InstallRecord& recorded, const RetiredGives& gives) {
    InstallRecord former;
    const auto given = [&](Recorded kind, const std::wstring& sPath) {
        return sPath.empty() || FoldedName(sPath) == FoldedName(GivenName(gives, kind));
    };
    if (!given(Recorded::Template, recorded.templateCopy.path))
        former.templateCopy = recorded.templateCopy;
    if (!given(Recorded::Icon, recorded.iconCopy.path)) former.iconCopy = recorded.iconCopy;
    if (!given(Recorded::Shortcut, recorded.shortcut.file.path))
        former.shortcut = recorded.shortcut;
    return former;
}

RetiredGives GivesOfRecorded(const InstallRecord& record) {
    const auto name = [](const std::wstring& sPath) {
        return sPath.substr(sPath.find_last_of(L'\\') + 1);
    };
    std::wstring shortcut = name(record.shortcut.file.path);
    shortcut.resize(shortcut.size() - std::min<size_t>(shortcut.size(), 4)); // ".lnk"
    return {
        name(record.templateCopy.path), name(record.iconCopy.path), std::move(shortcut), {}, false};
}

Removal DecideRemoval(Recorded kind, const InstallRecord& record, const RetiredGives& gives,
                      const Standing& now, const CurrentInstalls& claims) {
    const RecordedFile& file = RecordedOf(record, kind);
    const RecordedFile* recorded = file.path.empty() ? nullptr : &file;
    const std::wstring path = now.folder + L"\\" + now.name;
    if (!recorded && (!gives.judgesUnrecorded || GivenName(gives, kind).empty()))
        return {Verdict::Gone, {}, path};
    // The record is in the user's own hive: whatever runs as the user can rewrite it to
    // name any file. It is believed only for names the configuration itself gives.
    if (recorded && FoldedName(file.path) != FoldedName(GivenName(gives, kind)))
        return {Verdict::Keep, L"its configuration names no such file", file.path};
    // A folder that moved (OneDrive takes the desktop along) keeps the file's size, time
    // and fields: what stands under its name in the user's folder now is judged by them.
    // What is in neither place is gone.
    switch (now.is) {
    case Standing::Is::Missing:
        if (recorded && now.atRecordedPath && !Text::EqualsNoCase(FolderOf(file.path), now.folder))
            return {Verdict::Keep, L"installed into another folder", file.path};
        return {Verdict::Gone, {}, path};
    case Standing::Is::Other:
        return {Verdict::Keep, now.why, path};
    case Standing::Is::Unopened:
        return {Verdict::Fail, now.why, path};
    case Standing::Is::Plain:
        break;
    }
    const bool isShortcut = kind == Recorded::Shortcut;
    if ((isShortcut ? claims.shortcuts : claims.files).contains(FoldedName(now.name)))
        return {Verdict::Keep, L"a current configuration installs it", path};
    if (std::wstring why = Changed(kind, recorded, record, gives, now); !why.empty())
        return {Verdict::Keep, std::move(why), path};
    return {Verdict::Remove, {}, path};
}

} // namespace Module1
