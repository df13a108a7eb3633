#include "core/CommandLine.h"

#include "core/AppState.h"
#include "core/CheckRun.h"
#include "core/ConfigFormat.h"
#include "core/EventSource.h"
#include "core/InstallConfig.h"
#include "core/InstallRun.h"
#include "core/PersonalTemplates.h"
#include "core/FormerInstalls.h"
#include "core/RetireConfig.h"
#include "core/SafePaths.h"
#include "core/Unchanged.h"
#include "support/AppPath.h"
#include "support/AppSettings.h"
#include "support/Collection.h"
#include "support/FileSearch.h"
#include "support/CountFiles.h"
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

namespace {

// The argument of a prefix: what follows it, its blank and any later "/copy " or
// "/install " (exact case) removed as before. Logon scripts quote names with blanks; no
// file name holds a double quote, so one pair round the whole argument goes.
ParsedCommand WithArgument(Action action, std::wstring sArgument) {
    if (sArgument.size() >= 2 && sArgument.front() == L'"' && sArgument.back() == L'"')
        sArgument = sArgument.substr(1, sArgument.size() - 2);
    // A second switch, or one run into the name ("/installallx"), is a mistyped line;
    // so is a name left empty.
    if (sArgument.empty() || sArgument.front() == L'/')
        return {Action::Mistyped, sArgument, action};
    return {action, sArgument};
}

} // namespace

ParsedCommand ParseCommandLine(const std::wstring& sCommandLine) {
    // No file name ends in a blank, and a .bat line often does.
    std::wstring line = sCommandLine;
    while (!line.empty() && (line.back() == L' ' || line.back() == L'\t'))
        line.pop_back();
    const std::wstring lower = Text::Lower(line);
    for (const auto& [word, action] :
         {std::pair{L"/installall", Action::InstallAll}, std::pair{L"/copyall", Action::CopyAll},
          std::pair{L"/registerevents", Action::RegisterEvents},
          std::pair{L"/unregisterevents", Action::UnregisterEvents}}) {
        if (lower == word) return {action, {}};
        // These take no name: what follows one is a mistake, not a file "/copyall x".
        if (lower.starts_with(word + std::wstring(L" ")))
            return {Action::Mistyped, line.substr(wcslen(word) + 1), action};
    }
    if (lower == L"/check") return {Action::Check, {}};
    if (lower.starts_with(L"/check ")) return WithArgument(Action::Check, line.substr(7));
    // The parameters window writes the prefixes with capitals; any case matches.
    for (const auto& [prefix, action] : {std::pair{std::wstring(L"/copy "), Action::Copy},
                                         std::pair{std::wstring(L"/install "), Action::Install}}) {
        const std::wstring word = prefix.substr(0, prefix.size() - 1);
        if (!lower.starts_with(word)) continue;
        if (lower == word) return WithArgument(action, {});
        std::wstring rest = line;
        if (lower.starts_with(prefix)) rest.replace(0, prefix.size(), prefix);
        return WithArgument(action, CommonModule::Strip(rest, prefix));
    }
    if (lower == L"/remove") return WithArgument(Action::Remove, {});
    if (lower.starts_with(L"/remove ")) return WithArgument(Action::Remove, line.substr(8));
    return {Action::None, {}};
}

namespace {

// The shell's copy takes paths of up to MAX_PATH - 1 characters; far longer ones have
// crashed it.
constexpr size_t kLongestCopySource = MAX_PATH - 1;

bool TemplatesFolderUsable(InstallRun& run, const wchar_t* who) {
    std::wstring why;
    if (run.userFolders.TemplatesFolderUsable(why)) return true;
    CommonModule::DPrintStepFailed(std::wstring(who) + L": nothing copied: " + why);
    return false;
}

bool CopyTemplate(InstallRun& run, const std::wstring& sArgument) {
    std::wstring why;
    const std::wstring sFileName = WithBackslashes(sArgument);
    const std::wstring source = CommonModule::AppPath() + L"Templates\\" + sFileName;
    if (!SafePaths::UsableName(sFileName, why)) {
        CommonModule::DPrintStepFailed(L"RunCommandLine: refused /copy \"" + sFileName + L"\" (" +
                                       why + L")");
        return false;
    }
    if (source.size() > kLongestCopySource) {
        CommonModule::DPrintStepFailed(
            L"RunCommandLine: refused /copy \"" + sFileName.substr(0, 80) +
            L"...\" (a source path of " + std::to_wstring(source.size()) +
            L" characters; the copy takes at most " + std::to_wstring(kLongestCopySource) + L")");
        return false;
    }
    if (!TemplatesFolderUsable(run, L"RunCommandLine")) return false;
    PlacedTemplate placed{L"/copy", sFileName, source,
                          sUserTemplatesDir + L"\\" + CommonModule::StripPath(sFileName), false};
    if (!InstalledCopyUnchanged(run, source, sUserTemplatesDir)) {
        if (!CommonModule::CopyFilesVerified(run.workingFolders, source, sUserTemplatesDir,
                                             L"RunCommandLine", why))
            return false;
        ++run.tally.installed;
        placed.bCopied = true;
    }
    run.macroNotices.InPlace(placed);
    return true;
}

// The macro-enabled templates of the whole Templates tree that stand in the user's
// templates folder now.
void CopiedMacroTemplates(InstallRun& run) {
    const std::wstring templates = CommonModule::AppPath() + L"Templates";
    Collection found;
    // One pattern: two that match the same file (as "*.dot" and "*.dotm" do, through
    // short names) would find it twice.
    CommonModule::FindFiles(templates, L"*.*", found, true);
    for (size_t i = 1; i <= found.Count(); ++i) {
        const std::wstring& source = found.Item(i);
        const std::wstring relative = source.substr(templates.size() + 1);
        const std::wstring installed = sUserTemplatesDir + L"\\" + relative;
        if (IsMacroTemplate(relative) && CommonModule::IsExistingFile(installed))
            run.macroNotices.InPlace({L"/copyall", relative, source, installed, true});
    }
}

bool CopyAllTemplates(InstallRun& run) {
    std::wstring why;
    if (!TemplatesFolderUsable(run, L"RunCommandLine")) return false;
    const bool copied = CommonModule::CopyFilesVerified(run.workingFolders,
                                                        CommonModule::AppPath() + L"Templates\\*.*",
                                                        sUserTemplatesDir, L"RunCommandLine", why);
    if (CommonModule::bMacroChecks) CopiedMacroTemplates(run);
    if (!copied) return false;
    run.tally.installed += static_cast<unsigned>(
        std::max<short>(0, CommonModule::CountFiles(CommonModule::AppPath() + L"Templates", L"")));
    return true;
}

// A data folder that could not be made (a file of that name stands there) fails the
// actions that need it with one line, instead of looking like an empty folder.
bool DataFoldersReady(std::initializer_list<const wchar_t*> names) {
    bool ok = true;
    for (const wchar_t* name : names) {
        const std::wstring folder = CommonModule::AppPath() + name;
        if (CommonModule::DoesDirExist(folder)) continue;
        CommonModule::DPrintStepFailed(L"RunCommandLine: the data folder \"" + folder +
                                       L"\" is missing and cannot be made");
        ok = false;
    }
    return ok;
}

// What is wrong with a command line that runs nothing, after its quoted text.
std::wstring WhyNoAction(const std::wstring& sCommandLine, const ParsedCommand& command) {
    if (command.action == Action::None)
        return L"matches no action: each begins with \"/\" (Help > Command Line Parameters "
               L"in Dorvane's window lists them)";
    const wchar_t* needs = command.intended == Action::Copy ? L"a template file name"
                           : command.intended == Action::Install ||
                                   command.intended == Action::Remove ||
                                   command.intended == Action::Check
                               ? L"a configuration name"
                               : nullptr;
    if (!needs)
        return L"is mistyped: " + sCommandLine.substr(0, sCommandLine.find(L' ')) +
               L" takes no name, yet \"" + command.argument + L"\" follows it";
    return L"is mistyped: it names " +
           (command.argument.empty() ? std::wstring(L"nothing")
                                     : L"\"" + command.argument + L"\"") +
           L" where " + needs + L" belongs";
}

} // namespace

ExitCode RunCommandLine(const std::wstring& sCommandLine) {
    RunTally tally;
    return RunCommandLine(sCommandLine, tally);
}

namespace {
ExitCode RunAction(InstallRun& run, const ParsedCommand& command);
}

ExitCode RunCommandLine(const std::wstring& sCommandLine, RunTally& tally) {
    const ParsedCommand command = ParseCommandLine(sCommandLine);
    if (command.action == Action::None || command.action == Action::Mistyped) {
        CommonModule::DPrintStepFailed(L"RunCommandLine: the command line \"" + sCommandLine +
                                       L"\" " + WhyNoAction(sCommandLine, command));
        return ExitNoAction;
    }
    if (command.action == Action::RegisterEvents || command.action == Action::UnregisterEvents)
        return ChangeEventSource(command.action == Action::RegisterEvents);
    if (command.action == Action::Check) return RunCheck(command.argument);
    InstallRun run;
    const ExitCode code = RunAction(run, command);
    tally = run.tally;
    tally.notForUser = static_cast<unsigned>(run.notForUser.size());
    tally.notices = run.macroNotices.Notices();
    return code;
}

namespace {

ExitCode RunAction(InstallRun& run, const ParsedCommand& command) {
    if (!run.turn.held()) {
        CommonModule::DPrintStepFailed(L"RunCommandLine: " + run.turn.why());
        run.tally.bTurnNotHad = true;
        return ExitStepFailed;
    }
    bool ok = true;
    switch (command.action) {
    case Action::InstallAll:
        if (!DataFoldersReady({L"Configs", L"Templates"})) return ExitStepFailed;
        // Retired configurations go only once every current one has said what it installs.
        ok = InstallAllConfigs(run);
        ok = RemoveFormerInstalls(run) && ok;
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
    case Action::Check:
    case Action::RegisterEvents:
    case Action::UnregisterEvents:
    case Action::None:
    case Action::Mistyped:
        return ExitNoAction;
    }
    if (command.action == Action::InstallAll || command.action == Action::Install)
        OfferTemplatesToOffice(run);
    ok = run.RemoveLeftovers() && ok;
    return ok ? ExitOk : ExitStepFailed;
}

} // namespace

} // namespace Module1
