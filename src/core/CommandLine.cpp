#include "core/CommandLine.h"

#include "core/AppState.h"
#include "core/InstallConfig.h"
#include "core/InstallRun.h"
#include "core/PersonalTemplates.h"
#include "core/RetireConfig.h"
#include "core/SafePaths.h"
#include "core/Unchanged.h"
#include "support/AppPath.h"
#include "support/DebugLog.h"
#include "support/Probes.h"
#include "support/Strings.h"
#include "support/Text.h"
#include "support/VerifiedCopy.h"

namespace Module1 {

std::wstring ArgumentsFromCommandLine(const std::wstring& sFullCommandLine) {
    // The program path ends at its closing quote, or at the first blank when it is
    // not quoted: the rule the C runtime uses for WinMain's command line.
    size_t i = 0;
    const size_t n = sFullCommandLine.size();
    if (n > 0 && sFullCommandLine[0] == L'"') {
        const size_t close = sFullCommandLine.find(L'"', 1);
        i = close == std::wstring::npos ? n : close + 1;
    } else {
        while (i < n && sFullCommandLine[i] != L' ' && sFullCommandLine[i] != L'\t')
            ++i;
    }
    // Only the blanks that separate the program from its arguments go; blanks inside
    // or after the arguments belong to them.
    while (i < n && (sFullCommandLine[i] == L' ' || sFullCommandLine[i] == L'\t'))
        ++i;
    return sFullCommandLine.substr(i);
}

std::wstring CommandLineArguments() {
    return ArgumentsFromCommandLine(GetCommandLineW());
}

ParsedCommand ParseCommandLine(const std::wstring& sCommandLine) {
    const std::wstring lower = Text::Lower(sCommandLine);
    if (lower == L"/installall") return {Action::InstallAll, {}};
    if (lower == L"/copyall") return {Action::CopyAll, {}};
    if (sCommandLine.starts_with(L"/copy"))
        return {Action::Copy, CommonModule::Strip(sCommandLine, L"/copy ")};
    if (sCommandLine.starts_with(L"/install"))
        return {Action::Install, CommonModule::Strip(sCommandLine, L"/install ")};
    if (sCommandLine == L"/remove" || sCommandLine.starts_with(L"/remove "))
        return {Action::Remove, sCommandLine.substr(std::min<size_t>(sCommandLine.size(), 8))};
    return {Action::None, {}};
}

namespace {

// The shell's copy takes paths of up to MAX_PATH - 1 characters; far longer ones have
// crashed it.
constexpr size_t kLongestCopySource = MAX_PATH - 1;

bool TemplatesFolderUsable(InstallRun& run, const wchar_t* who) {
    std::wstring why;
    if (run.userFolders.TemplatesFolderUsable(why)) return true;
    CommonModule::DPrint(std::wstring(who) + L": nothing copied: " + why);
    return false;
}

bool CopyTemplate(InstallRun& run, const std::wstring& sFileName) {
    std::wstring why;
    const std::wstring source = CommonModule::AppPath() + L"Templates\\" + sFileName;
    if (!SafePaths::UsableName(sFileName, why)) {
        CommonModule::DPrint(L"RunCommandLine: refused /copy \"" + sFileName + L"\" (" + why +
                             L")");
        return false;
    }
    if (source.size() > kLongestCopySource) {
        CommonModule::DPrint(L"RunCommandLine: refused /copy \"" + sFileName.substr(0, 80) +
                             L"...\" (a source path of " + std::to_wstring(source.size()) +
                             L" characters; the copy takes at most " +
                             std::to_wstring(kLongestCopySource) + L")");
        return false;
    }
    if (!TemplatesFolderUsable(run, L"RunCommandLine")) return false;
    return InstalledCopyUnchanged(run, source, sUserTemplatesDir) ||
           CommonModule::CopyFilesVerified(run.workingFolders, source, sUserTemplatesDir,
                                           L"RunCommandLine", why);
}

bool CopyAllTemplates(InstallRun& run) {
    std::wstring why;
    if (!TemplatesFolderUsable(run, L"RunCommandLine")) return false;
    return CommonModule::CopyFilesVerified(run.workingFolders,
                                           CommonModule::AppPath() + L"Templates\\*.*",
                                           sUserTemplatesDir, L"RunCommandLine", why);
}

// A data folder that could not be made (a file of that name stands there) fails the
// actions that need it with one line, instead of looking like an empty folder.
bool DataFoldersReady(std::initializer_list<const wchar_t*> names) {
    bool ok = true;
    for (const wchar_t* name : names) {
        const std::wstring folder = CommonModule::AppPath() + name;
        if (CommonModule::DoesDirExist(folder)) continue;
        CommonModule::DPrint(L"RunCommandLine: the data folder \"" + folder +
                             L"\" is missing and cannot be made");
        ok = false;
    }
    return ok;
}

} // namespace

ExitCode RunCommandLine(const std::wstring& sCommandLine) {
    const ParsedCommand command = ParseCommandLine(sCommandLine);
    if (command.action == Action::None) return ExitNoAction;
    InstallRun run;
    if (!run.turn.held()) {
        CommonModule::DPrint(L"RunCommandLine: " + run.turn.why());
        return ExitStepFailed;
    }
    bool ok = true;
    switch (command.action) {
    case Action::InstallAll:
        if (!DataFoldersReady({L"Configs", L"Templates"})) return ExitStepFailed;
        // Retired configurations go only once every current one has said what it installs.
        ok = InstallAllConfigs(run);
        ok = RemoveRetiredConfigs(run) && ok;
        ok = RemoveConfigsNotForUser(run) && ok;
        break;
    case Action::CopyAll:
        ok = DataFoldersReady({L"Templates"}) && CopyAllTemplates(run);
        break;
    case Action::Copy:
        ok = DataFoldersReady({L"Templates"}) && CopyTemplate(run, command.argument);
        break;
    case Action::Install:
        ok = DataFoldersReady({L"Configs", L"Templates"}) &&
             InstallConfig(run, command.argument, true).bOk;
        break;
    case Action::Remove:
        ok = DataFoldersReady({L"Configs"}) && RemoveConfig(run, command.argument);
        break;
    case Action::None:
        return ExitNoAction;
    }
    if (command.action == Action::InstallAll || command.action == Action::Install)
        OfferTemplatesToWord(run);
    return ok ? ExitOk : ExitStepFailed;
}

} // namespace Module1
