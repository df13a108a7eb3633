#include "core/RecordState.h"

namespace Module1 {

namespace {

// FNV-1a over the path's UTF-16 code units, exactly as spelled: a path that differs in
// any way (letter case too) is another path to record.
ULONGLONG PathDigest(const std::wstring& path) {
    ULONGLONG digest = 14695981039346656037ull;
    for (const wchar_t unit : path)
        for (const unsigned byte : {unit & 0xFFu, (unit >> 8) & 0xFFu}) {
            digest ^= byte;
            digest *= 1099511628211ull;
        }
    return digest;
}

ItemState StateOf(const RecordedFile& file) {
    return {file.size, file.time, PathDigest(file.path)};
}

} // namespace

State StateOf(const InstallRecord& record) {
    return {StateOf(record.templateCopy), StateOf(record.iconCopy), StateOf(record.shortcut.file)};
}

bool ReadState(HKEY h, State& state) {
    DWORD type = 0, size = sizeof state;
    return RegQueryValueExW(h, kStateValue, nullptr, &type, reinterpret_cast<BYTE*>(&state),
                            &size) == ERROR_SUCCESS &&
           type == REG_BINARY && size == sizeof state;
}

LONG WriteState(HKEY h, const InstallRecord& record) {
    const State state = StateOf(record);
    return RegSetValueExW(h, kStateValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&state),
                          sizeof state);
}

bool StateHolds(const State& kept, const InstallRecord& landed) {
    const State now = StateOf(landed);
    const RecordedFile* files[] = {&landed.templateCopy, &landed.iconCopy, &landed.shortcut.file};
    for (size_t i = 0; i < kept.size(); ++i)
        if (!files[i]->path.empty() && !(now[i] == kept[i])) return false;
    return true;
}

} // namespace Module1
