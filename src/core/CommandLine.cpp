#include "core/CommandLine.h"

#include "core/AppState.h"
#include "core/InstallConfig.h"
#include "core/SafePaths.h"
#include "support/AppPath.h"
#include "support/DebugLog.h"
#include "support/FileCopy.h"
#include "support/Strings.h"
#include "support/Text.h"

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
    return {Action::None, {}};
}

namespace {

bool CopyTemplate(const std::wstring& sFileName) {
    std::wstring why;
    if (!SafePaths::StaysInside(sFileName, why)) {
        CommonModule::DPrint(L"RunCommandLine: refused /copy \"" + sFileName + L"\" (" + why +
                             L")");
        return false;
    }
    return CommonModule::CopyFiles(CommonModule::AppPath() + L"Templates\\" + sFileName,
                                   sUserTemplatesDir, true, false);
}

} // namespace

ExitCode RunCommandLine(const std::wstring& sCommandLine) {
    const ParsedCommand command = ParseCommandLine(sCommandLine);
    bool ok = true;
    switch (command.action) {
    case Action::InstallAll:
        ok = InstallAllConfigs();
        break;
    case Action::CopyAll:
        ok = CommonModule::CopyFiles(CommonModule::AppPath() + L"Templates\\*.*", sUserTemplatesDir,
                                     true, false);
        break;
    case Action::Copy:
        ok = CopyTemplate(command.argument);
        break;
    case Action::Install:
        ok = InstallConfig(command.argument, true).bOk;
        break;
    case Action::None:
        return ExitNoAction;
    }
    return ok ? ExitOk : ExitStepFailed;
}

} // namespace Module1
