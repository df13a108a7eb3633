#include "core/Module1.h"

#include "core/SafePaths.h"
#include "core/UserFolders.h"
#include "shell/cShellLinkA.h"
#include "support/AppSettings.h"
#include "support/DebugLog.h"
#include "support/IniValues.h"
#include "support/Probes.h"
#include "support/Strings.h"
#include "support/VerifiedCopy.h"

namespace Module1 {

namespace {

constexpr int kShowNormal = 5; // SW_SHOW

// Refuses a name that would leave its folder or that the ANSI calls would read as
// another name, with one debug line saying why.
bool Allowed(const std::wstring& sConfigName, const wchar_t* what, const std::wstring& value) {
    std::wstring why;
    if (SafePaths::UsableName(value, why)) return true;
    CommonModule::DPrint(L"InstallConfig: " + sConfigName + L": refused " + what + L" \"" + value +
                         L"\" (" + why + L")");
    return false;
}

bool FileIsThere(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

bool InstallConfig(const std::wstring& sConfigName, bool bMakeShortcut) {
    using namespace CommonModule;
    if (!Allowed(sConfigName, L"configuration name", sConfigName)) return false;
    const std::wstring who = L"InstallConfig: " + sConfigName;
    const std::wstring cfg = ConfigFilePath(sConfigName);
    const auto value = [&](const wchar_t* key) { return ReadIniSection(cfg, kConfigSection, key); };
    // A missing file reads as empty values everywhere below; it still counts as failed.
    bool ok = FileIsThere(cfg);

    // Nothing goes into a templates folder that could not be found or that a link has
    // moved; the shortcut, which would point into it, is still written.
    std::wstring why;
    const bool templatesUsable = UserTemplatesFolderUsable(why);
    if (!templatesUsable) {
        DPrint(who + L": nothing copied: " + why);
        ok = false;
    }
    std::wstring copyWhy;
    const std::wstring templateFile = value(kKeyTemplateFile);
    const std::wstring tpl = AppPath() + L"Templates\\" + templateFile;
    if (templateFile.empty() || !Allowed(sConfigName, L"TemplateFile", templateFile))
        ok = false;
    else if (!DoesFileExist(tpl)) {
        DPrint(who + L": the template \"" + templateFile + L"\" is missing or cannot be opened");
        ok = false;
    } else if (templatesUsable && !CopyFilesVerified(tpl, sUserTemplatesDir, who, copyWhy))
        ok = false;

    if (!bMakeShortcut) return ok;
    const std::wstring shortcutName = value(kKeyShortcutName);
    if (shortcutName.empty()) return ok;
    if (!Allowed(sConfigName, L"ShortcutName", shortcutName)) return false;

    const std::wstring desc = value(kKeyShortcutDesc);
    std::wstring icon = value(kKeyShortcutIcon);
    if (!icon.empty()) {
        const std::wstring src = AppPath() + L"AltIcons\\" + icon;
        if (!Allowed(sConfigName, L"ShortcutIcon", icon)) {
            ok = false;
            icon.clear();
        } else if (DoesFileExist(src)) {
            if (!templatesUsable || !CopyFilesVerified(src, sUserTemplatesDir, who, copyWhy))
                ok = false;
            icon = sUserTemplatesDir + L"\\" + StripPath(src);
        } else {
            icon.clear(); // a missing icon falls back to Word's own
        }
    }

    const std::wstring desktop = UsableDesktopFolder(why);
    if (desktop.empty()) {
        DPrint(who + L": no shortcut written: " + why);
        return false;
    }
    const std::wstring args = L"/t\"" + StripPath(tpl) + L"\"";
    cShellLinkA link;
    if (!link.CreateLink(desc, desktop + L"\\" + shortcutName + L".lnk", sWordExePath,
                         sUserTemplatesDir, args, 0, 0, kShowNormal, icon))
        ok = false;
    return ok;
}

} // namespace Module1
