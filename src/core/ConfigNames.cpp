#include "core/ConfigNames.h"

#include "core/ConfigFormat.h"
#include "core/SafePaths.h"
#include "support/AppPath.h"
#include "support/ScopedWin.h"
#include "support/Text.h"

#include <windows.h>

namespace Module1 {

namespace {

// Each rule gives the reason it refuses the name, or "" when it lets it pass.
using Rule = std::wstring (*)(const std::wstring& name, const std::wstring& file);

std::wstring FileNameCharacter(const std::wstring& name, const std::wstring&) {
    for (const wchar_t c : name) {
        if (c < 0x20)
            return L"the control character " + Text::CodePoint(std::wstring(1, c)) +
                   L", which Windows does not allow in file names";
        if (std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos)
            return L"the character \"" + std::wstring(1, c) +
                   L"\", which Windows does not allow in file names";
    }
    return {};
}

std::wstring TrailingBlankOrDot(const std::wstring& name, const std::wstring&) {
    return name.back() == L' ' || name.back() == L'.'
               ? L"a blank or a dot at the end, which Windows would drop"
               : L"";
}

std::wstring LeavesFolder(const std::wstring& name, const std::wstring&) {
    std::wstring why;
    return SafePaths::StaysInside(name, why) ? L"" : why;
}

// The list names an entry by its file's name with every ".cfg" removed.
std::wstring ListedAsAnother(const std::wstring& name, const std::wstring&) {
    const std::wstring listed = ConfigNameFromFile(name + L".cfg");
    return listed == name ? L"" : L"the list would show it as \"" + listed + L"\"";
}

// The profile functions take a path of MAX_PATH - 1 characters at most.
std::wstring PathTooLong(const std::wstring&, const std::wstring& file) {
    if (file.size() < MAX_PATH) return {};
    return L"its file's path would have " + std::to_wstring(file.size()) +
           L" characters; configuration files take " + std::to_wstring(MAX_PATH - 1) + L" at most";
}

constexpr Rule kRules[] = {FileNameCharacter, TrailingBlankOrDot, LeavesFolder, ListedAsAnother,
                           PathTooLong};

} // namespace

bool IsSavableConfigName(const std::wstring& sName, const std::wstring& sConfigFile,
                         std::wstring& why) {
    if (sName.empty()) {
        why = L"no name";
        return false;
    }
    for (const Rule rule : kRules) {
        why = rule(sName, sConfigFile);
        if (!why.empty()) return false;
    }
    return true;
}

std::wstring ExistingConfigFile(const std::wstring& sName) {
    WIN32_FIND_DATAW found{};
    const ScopedWin::UniqueFind search(FindFirstFileW(ConfigFilePath(sName).c_str(), &found));
    if (!search || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return CommonModule::AppPath() + L"Configs\\" + found.cFileName;
}

} // namespace Module1
