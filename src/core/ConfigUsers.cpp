#include "core/ConfigUsers.h"

#include "core/ConfigFormat.h"
#include "core/CurrentInstalls.h"
#include "support/AppPath.h"
#include "support/ScopedWin.h"
#include "support/Text.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

namespace Module1 {

namespace {

// "Sub/Letter.dotx" and "sub\LETTER.dotx." name the same file: each part as the file
// system compares names, which the removal of a retired configuration does too. A
// folder part that differs only in trailing dots counts as the same (one more file
// kept, never one more deleted).
std::wstring Key(std::wstring_view name) {
    std::wstring key;
    for (size_t start = 0; start <= name.size();) {
        const size_t end = std::min(name.find_first_of(L"\\/", start), name.size());
        if (start) key += L'\\';
        key += FoldedName(name.substr(start, end - start));
        start = end + 1;
    }
    return key;
}

// The wide listing, so that a name the ANSI code page lacks is read as it is.
std::vector<std::wstring> CfgFiles(const std::wstring& sFolder) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found{};
    ScopedWin::UniqueFind search(FindFirstFileW((sFolder + L"\\*.cfg").c_str(), &found));
    if (!search) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(found.cFileName);
    } while (FindNextFileW(search.get(), &found));
    return files;
}

} // namespace

ConfigUsers::ConfigUsers() {
    for (const wchar_t* folder : {L"Configs", L"Retired"}) {
        const std::wstring path = CommonModule::AppPath() + folder;
        const std::wstring shownPrefix = folder == std::wstring(L"Retired") ? L"Retired\\" : L"";
        for (const std::wstring& name : CfgFiles(path)) {
            const std::wstring file = path + L"\\" + name;
            const ConfigValues values(file);
            configs_.push_back({Key(file), shownPrefix + ConfigNameFromFile(name),
                                Key(values(kKeyTemplateFile)), Key(values(kKeyShortcutIcon))});
        }
    }
}

std::vector<std::wstring> ConfigUsers::Naming(const std::wstring& sFolder,
                                              const std::wstring& sRelative,
                                              const std::wstring& sExceptConfigFile) const {
    std::vector<std::wstring> names;
    const std::wstring wanted = Key(sRelative), except = Key(sExceptConfigFile);
    const bool templates = Text::EqualsNoCase(sFolder, L"Templates");
    for (const Config& c : configs_)
        if (c.file != except && !wanted.empty() && (templates ? c.templateFile : c.icon) == wanted)
            names.push_back(c.shown);
    return names;
}

std::wstring JoinNames(const std::vector<std::wstring>& names) {
    std::wstring text;
    for (const std::wstring& name : names)
        text += (text.empty() ? L"" : L", ") + name;
    return text;
}

} // namespace Module1
