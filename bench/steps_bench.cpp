// Installing, call by call: what each step of InstallConfig costs, next to what the
// minimal installer does in its place. Lives in the application folder (AppPath is
// its own folder), like Dorvane.exe.
//
//   bench_steps TEMPLATESDIR DESKTOPDIR WORDEXE WARMUPS RUNS
//
// Each step runs once for every configuration it applies to (all 200, or the 100
// with a shortcut), and the loop's time is divided by the number of calls; a round
// runs every step once. The first step, InstallConfig whole, finds everything in
// place after the warm-up, as a repeat run at logon does. Prints
// "step_us <id> v1 v2 ...", microseconds per call, one value per measured run.
#include "BenchClock.h"
#include "MinimalCheck.h"
#include "MinimalLink.h"
#include "core/Module1.h"
#include "core/Unchanged.h"
#include "shell/ComInit.h"
#include "shell/cShellLinkA.h"
#include "support/AppSettings.h"
#include "support/FileCopy.h"
#include "support/IniValues.h"
#include "support/Probes.h"
#include "support/DebugLog.h"
#include "support/Strings.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Config {
    std::wstring name, cfg, templateFile, shortcutName, desc, icon;
};

// The shell's copy as CopyFiles hands it over, without the checks around it; with
// `silent` also FOF_SILENT, which the program never sets (to see what the progress
// window costs).
bool ShellCopy(const std::wstring& source, const std::wstring& folder, bool silent) {
    const std::wstring from = source + std::wstring(2, L'\0');
    const std::wstring to = folder + std::wstring(2, L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = FOF_NOCONFIRMMKDIR | FOF_NOERRORUI | FOF_NOCOPYSECURITYATTRIBS | FOF_NOCONFIRMATION;
    if (silent) op.fFlags |= FOF_SILENT;
    return SHFileOperationW(&op) == 0;
}

struct Step {
    const char* id;
    size_t calls;
    std::function<void()> loop;
    std::vector<double> perCallUs;
};

// Rounds of every step once, so that whatever else the machine does falls on all of
// them alike.
void RunSteps(std::vector<Step>& steps, int warmups, int runs) {
    for (int round = 0; round < warmups + runs; ++round) {
        for (Step& step : steps) {
            const double t0 = bench::NowMs();
            step.loop();
            const double us = (bench::NowMs() - t0) * 1000.0 / static_cast<double>(step.calls);
            if (round >= warmups) step.perCallUs.push_back(us);
        }
    }
    for (const Step& step : steps) {
        std::printf("step_us %s", step.id);
        for (double v : step.perCallUs)
            std::printf(" %.1f", v);
        std::printf("\n");
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: bench_steps TEMPLATESDIR DESKTOPDIR WORDEXE WARMUPS RUNS\n");
        return 2;
    }
    using namespace CommonModule;
    const std::wstring templatesDir = argv[1];
    const std::wstring desktop = argv[2];
    const std::wstring word = argv[3];
    const int warmups = bench::ToInt(argv[4]);
    const int runs = bench::ToInt(argv[5]);
    Module1::sUserTemplatesDir = templatesDir;
    Module1::sWordExePath = word;
    ShellCom::EnsureInitialized();

    std::vector<Config> configs;
    for (const std::wstring& name : Module1::ListConfigNames()) {
        Config c;
        c.name = name;
        c.cfg = Module1::ConfigFilePath(name);
        c.templateFile = ReadIniSection(c.cfg, Module1::kConfigSection, Module1::kKeyTemplateFile);
        c.shortcutName = ReadIniSection(c.cfg, Module1::kConfigSection, Module1::kKeyShortcutName);
        c.desc = ReadIniSection(c.cfg, Module1::kConfigSection, Module1::kKeyShortcutDesc);
        c.icon = ReadIniSection(c.cfg, Module1::kConfigSection, Module1::kKeyShortcutIcon);
        configs.push_back(std::move(c));
    }
    std::vector<const Config*> withShortcut;
    for (const Config& c : configs)
        if (!c.shortcutName.empty()) withShortcut.push_back(&c);
    if (configs.empty() || withShortcut.empty()) return 1;
    const std::wstring app = AppPath();
    const size_t all = configs.size();
    const size_t some = withShortcut.size();

    std::vector<Step> steps;
    steps.push_back({"install_config",
                     all,
                     [&] {
                         Module1::InstallRun run; // one round is one "/installall"
                         for (const Config& c : configs)
                             Module1::InstallConfig(run, c.name, true);
                     },
                     {}});
    steps.push_back({"list_configs", 1, [&] { Module1::ListConfigNames(); }, {}});
    steps.push_back({"read_ini",
                     all,
                     [&] {
                         for (const Config& c : configs)
                             Module1::ConfigValues{c.cfg};
                     },
                     {}});
    steps.push_back({"read_ini_w",
                     all,
                     [&] {
                         for (const Config& c : configs)
                             bench::IniValue(c.cfg, Module1::kKeyTemplateFile);
                     },
                     {}});
    steps.push_back({"file_exists",
                     all,
                     [&] {
                         for (const Config& c : configs)
                             DoesFileExist(app + L"Templates\\" + c.templateFile);
                     },
                     {}});
    steps.push_back({"copy_shell",
                     all,
                     [&] {
                         for (const Config& c : configs)
                             CopyFiles(app + L"Templates\\" + c.templateFile, templatesDir, true,
                                       false);
                     },
                     {}});
    steps.push_back({"shfileop_bare",
                     all,
                     [&] {
                         for (const Config& c : configs)
                             ShellCopy(app + L"Templates\\" + c.templateFile, templatesDir, false);
                     },
                     {}});
    steps.push_back({"shfileop_silent",
                     all,
                     [&] {
                         for (const Config& c : configs)
                             ShellCopy(app + L"Templates\\" + c.templateFile, templatesDir, true);
                     },
                     {}});
    steps.push_back({"copy_plain",
                     all,
                     [&] {
                         for (const Config& c : configs)
                             CopyFileW((app + L"Templates\\" + c.templateFile).c_str(),
                                       (templatesDir + L"\\" + c.templateFile).c_str(), FALSE);
                     },
                     {}});
    steps.push_back({"desktop_folder",
                     all,
                     [&] {
                         for (size_t i = 0; i < all; ++i)
                             modSpecialFolders::GetSpecialFolder(
                                 modSpecialFolders::CSIDL_DESKTOP_FOLDER);
                     },
                     {}});
    steps.push_back({"link_ours",
                     some,
                     [&] {
                         for (const Config* c : withShortcut) {
                             cShellLinkA link;
                             link.CreateLink(c->desc, desktop + L"\\" + c->shortcutName + L".lnk",
                                             word, templatesDir, L"/t\"" + c->templateFile + L"\"",
                                             0, 0, SW_SHOW, templatesDir + L"\\" + c->icon);
                         }
                     },
                     {}});
    // A repeat run's checks, on what the steps above have just written.
    steps.push_back({"files_match",
                     all,
                     [&] {
                         for (const Config& c : configs)
                             FilesMatch(app + L"Templates\\" + c.templateFile,
                                        templatesDir + L"\\" + c.templateFile);
                     },
                     {}});
    steps.push_back({"link_info",
                     some,
                     [&] {
                         for (const Config* c : withShortcut) {
                             cShellLinkA link;
                             link.GetLinkInfo(desktop + L"\\" + c->shortcutName + L".lnk");
                         }
                     },
                     {}});
    steps.push_back({"link_unchanged",
                     some,
                     [&] {
                         Module1::InstallRun run;
                         for (const Config* c : withShortcut)
                             Module1::CreateLinkUnlessUnchanged(
                                 run, Module1::ReadRecordedShortcut(c->name), c->desc,
                                 desktop + L"\\" + c->shortcutName + L".lnk", word, templatesDir,
                                 L"/t\"" + c->templateFile + L"\"", 0, 0, SW_SHOW,
                                 templatesDir + L"\\" + c->icon);
                     },
                     {}});
    steps.push_back({"same_file",
                     all,
                     [&] {
                         for (const Config& c : configs)
                             bench::SameFile(app + L"Templates\\" + c.templateFile,
                                             templatesDir + L"\\" + c.templateFile);
                     },
                     {}});
    steps.push_back({"link_check_minimal",
                     some,
                     [&] {
                         for (const Config* c : withShortcut)
                             bench::SameLink(desktop + L"\\" + c->shortcutName + L".lnk",
                                             {word, L"/t\"" + c->templateFile + L"\"", templatesDir,
                                              c->desc, templatesDir + L"\\" + c->icon});
                     },
                     {}});
    steps.push_back({"dprint",
                     all,
                     [&] {
                         for (const Config& c : configs)
                             DPrint(L"unchanged, not copied: " + templatesDir + L"\\" +
                                    c.templateFile);
                     },
                     {}});
    steps.push_back({"link_minimal",
                     some,
                     [&] {
                         for (const Config* c : withShortcut)
                             bench::SaveShortcut(desktop + L"\\" + c->shortcutName + L".lnk", word,
                                                 templatesDir + L"\\" + c->icon, templatesDir,
                                                 L"/t\"" + c->templateFile + L"\"", c->desc);
                     },
                     {}});
    RunSteps(steps, warmups, runs);
    std::printf("info configs=%zu\ninfo shortcuts=%zu\n", all, some);
    return 0;
}
