#include "core/InstallRecord.h"

#include "core/RecordState.h"
#include "support/DebugLog.h"
#include "support/ScopedWin.h"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace Module1 {

namespace {

// A configuration named with a subfolder ("Sub\Letter") keeps one key: "\" separates
// registry keys, and "/" cannot be part of a file name.
std::wstring KeyPath(const std::wstring& sConfigName) {
    std::wstring name = sConfigName;
    std::replace(name.begin(), name.end(), L'\\', L'/');
    return std::wstring(kInstallRecordKey) + L"\\" + name;
}

const wchar_t* Prefix(Recorded kind) {
    switch (kind) {
    case Recorded::Template:
        return L"Template";
    case Recorded::Icon:
        return L"Icon";
    case Recorded::Shortcut:
        return L"Shortcut";
    }
    return L"";
}

// The value names of one item, in the order they are read and written.
constexpr const wchar_t* kFileValues[] = {L"Path", L"Size", L"Time"};
constexpr const wchar_t* kLinkValues[] = {L"Target",      L"Arguments",  L"WorkingFolder",
                                          L"Description", L"IconFile",   L"IconIndex",
                                          L"HotKey",      L"ShowCommand"};

class Key {
  public:
    Key(HKEY h, Recorded kind) : h_(h), prefix_(Prefix(kind)) {}

    // One call for the usual path; a longer text is asked for again at its size.
    std::wstring Text(const wchar_t* name) const {
        const std::wstring value = prefix_ + name;
        std::wstring text(MAX_PATH, L'\0');
        for (int attempt = 0; attempt < 2; ++attempt) {
            DWORD type = 0, bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
            const LONG status = RegQueryValueExW(h_, value.c_str(), nullptr, &type,
                                                 reinterpret_cast<BYTE*>(text.data()), &bytes);
            if (status == ERROR_MORE_DATA) {
                text.assign(bytes / sizeof(wchar_t) + 1, L'\0');
                continue;
            }
            if (status != ERROR_SUCCESS || type != REG_SZ) return {};
            text.resize(bytes / sizeof(wchar_t));
            while (!text.empty() && text.back() == L'\0')
                text.pop_back();
            return text;
        }
        return {};
    }
    template <class T> T Number(const wchar_t* name) const {
        T number{};
        DWORD type = 0, bytes = sizeof number;
        const std::wstring value = prefix_ + name;
        if (RegQueryValueExW(h_, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&number),
                             &bytes) != ERROR_SUCCESS ||
            type != (sizeof(T) == 8 ? REG_QWORD : REG_DWORD))
            return T{};
        return number;
    }

    LONG SetText(const wchar_t* name, const std::wstring& text) const {
        return RegSetValueExW(h_, (prefix_ + name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    template <class T> LONG SetNumber(const wchar_t* name, T number) const {
        return RegSetValueExW(h_, (prefix_ + name).c_str(), 0,
                              sizeof(T) == 8 ? REG_QWORD : REG_DWORD,
                              reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
    LONG Delete(const wchar_t* name) const {
        const LONG status = RegDeleteValueW(h_, (prefix_ + name).c_str());
        return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
    }

  private:
    HKEY h_;
    std::wstring prefix_;
};

RecordedFile ReadFile(HKEY h, Recorded kind) {
    const Key key(h, kind);
    return {key.Text(L"Path"), key.Number<ULONGLONG>(L"Size"), key.Number<ULONGLONG>(L"Time")};
}

LinkFields ReadFields(HKEY h) {
    const Key key(h, Recorded::Shortcut);
    return {key.Text(L"Target"),          key.Text(L"Arguments"),
            key.Text(L"WorkingFolder"),   key.Text(L"Description"),
            key.Text(L"IconFile"),        key.Number<DWORD>(L"IconIndex"),
            key.Number<DWORD>(L"HotKey"), key.Number<DWORD>(L"ShowCommand")};
}

// The first status that is not success.
LONG First(std::initializer_list<LONG> statuses) {
    for (const LONG status : statuses)
        if (status != ERROR_SUCCESS) return status;
    return ERROR_SUCCESS;
}

LONG WriteFile(HKEY h, Recorded kind, const RecordedFile& file) {
    const Key key(h, kind);
    return First({key.SetText(L"Path", file.path), key.SetNumber(L"Size", file.size),
                  key.SetNumber(L"Time", file.time)});
}

LONG WriteFields(HKEY h, const LinkFields& fields) {
    const Key key(h, Recorded::Shortcut);
    return First(
        {key.SetText(L"Target", fields.target), key.SetText(L"Arguments", fields.arguments),
         key.SetText(L"WorkingFolder", fields.workingFolder),
         key.SetText(L"Description", fields.description), key.SetText(L"IconFile", fields.iconFile),
         key.SetNumber(L"IconIndex", fields.iconIndex), key.SetNumber(L"HotKey", fields.hotKey),
         key.SetNumber(L"ShowCommand", fields.show)});
}

InstallRecord Read(HKEY h) {
    InstallRecord record;
    record.templateCopy = ReadFile(h, Recorded::Template);
    record.iconCopy = ReadFile(h, Recorded::Icon);
    record.shortcut.file = ReadFile(h, Recorded::Shortcut);
    if (!record.shortcut.file.path.empty()) record.shortcut.fields = ReadFields(h);
    return record;
}

LONG DeleteValue(HKEY h, const wchar_t* name) {
    const LONG status = RegDeleteValueW(h, name);
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

std::wstring Failure(const std::wstring& sConfigName, LONG status) {
    return L"cannot keep the install record \"HKEY_CURRENT_USER\\" + KeyPath(sConfigName) +
           L"\": " + CommonModule::Win32Error(static_cast<DWORD>(status)).description;
}

// The configuration's key, opened to read; false when there is none (or it cannot be read).
bool OpenRecord(const std::wstring& sConfigName, ScopedWin::UniqueRegKey& key) {
    return RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(sConfigName).c_str(), 0, KEY_QUERY_VALUE,
                         key.put()) == ERROR_SUCCESS;
}

} // namespace

InstallRecord ReadInstallRecord(const std::wstring& sConfigName) {
    ScopedWin::UniqueRegKey key;
    return OpenRecord(sConfigName, key) ? Read(key.get()) : InstallRecord{};
}

RecordedShortcut ReadRecordedShortcut(const std::wstring& sConfigName) {
    ScopedWin::UniqueRegKey key;
    if (!OpenRecord(sConfigName, key)) return {};
    const RecordedFile file = ReadFile(key.get(), Recorded::Shortcut);
    return {file, file.path.empty() ? LinkFields{} : ReadFields(key.get())};
}

InstallRecord ReadRecordedPaths(const std::wstring& sConfigName) {
    ScopedWin::UniqueRegKey key;
    InstallRecord record;
    if (!OpenRecord(sConfigName, key)) return record;
    record.templateCopy.path = Key(key.get(), Recorded::Template).Text(L"Path");
    record.iconCopy.path = Key(key.get(), Recorded::Icon).Text(L"Path");
    record.shortcut.file.path = Key(key.get(), Recorded::Shortcut).Text(L"Path");
    return record;
}

std::optional<InstallRecord> ReadRecordUnlessHolds(const std::wstring& sConfigName,
                                                   const InstallRecord& landed) {
    ScopedWin::UniqueRegKey key;
    if (!OpenRecord(sConfigName, key)) return InstallRecord{};
    State kept;
    if (ReadState(key.get(), kept) && kept == StateOf(landed)) return std::nullopt;
    return Read(key.get());
}

bool KeepInstallRecord(const std::wstring& sConfigName, const InstallRecord& landed,
                       std::wstring& why) {
    if (landed.Empty()) return true;
    const std::wstring path = KeyPath(sConfigName);
    ScopedWin::UniqueRegKey key;
    // A repeat run finds its record as it left it: one open and one query, no writes.
    if (OpenRecord(sConfigName, key)) {
        State kept;
        if (ReadState(key.get(), kept) && StateHolds(kept, landed)) return true;
        key.reset();
    }
    LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                  KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS) {
        why = Failure(sConfigName, status);
        return false;
    }
    // The summary goes first, so that a run stopped halfway leaves none that could vouch
    // for values it did not finish writing. A shortcut's fields need no comparing: a field
    // that changed rewrote the link, and with it its size or time.
    status = DeleteValue(key.get(), kStateValue);
    InstallRecord now;
    const auto keep = [&](Recorded kind, const RecordedFile& file, RecordedFile& into) {
        into = ReadFile(key.get(), kind);
        if (file.path.empty() || file == into) return false;
        into = file;
        status = First({status, WriteFile(key.get(), kind, file)});
        return true;
    };
    keep(Recorded::Template, landed.templateCopy, now.templateCopy);
    keep(Recorded::Icon, landed.iconCopy, now.iconCopy);
    if (keep(Recorded::Shortcut, landed.shortcut.file, now.shortcut.file))
        status = First({status, WriteFields(key.get(), landed.shortcut.fields)});
    if (status == ERROR_SUCCESS) status = WriteState(key.get(), now);
    if (status == ERROR_SUCCESS) return true;
    why = Failure(sConfigName, status);
    return false;
}

bool ForgetRecorded(const std::wstring& sConfigName, Recorded kind, std::wstring& why) {
    ScopedWin::UniqueRegKey key;
    LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(sConfigName).c_str(), 0,
                                KEY_QUERY_VALUE | KEY_SET_VALUE, key.put());
    if (status == ERROR_FILE_NOT_FOUND) return true;
    const Key item(key.get(), kind);
    if (status == ERROR_SUCCESS) status = DeleteValue(key.get(), kStateValue);
    for (const wchar_t* name : kFileValues)
        if (status == ERROR_SUCCESS) status = item.Delete(name);
    if (kind == Recorded::Shortcut)
        for (const wchar_t* name : kLinkValues)
            if (status == ERROR_SUCCESS) status = item.Delete(name);
    DWORD values = 0, subkeys = 0;
    if (status == ERROR_SUCCESS)
        status = RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                                  &values, nullptr, nullptr, nullptr, nullptr);
    key.reset();
    if (status == ERROR_SUCCESS && values == 0 && subkeys == 0)
        status = RegDeleteKeyW(HKEY_CURRENT_USER, KeyPath(sConfigName).c_str());
    if (status == ERROR_SUCCESS) return true;
    why = Failure(sConfigName, status);
    return false;
}

} // namespace Module1
