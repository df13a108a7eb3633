// Installing, call by call: what each step of InstallConfig costs, next to what the
// minimal installer does in its place. Lives in the application folder (AppPath is
// its own folder), like Dorvane.exe.
//
//   bench_steps TEMPLATESDIR DESKTOPDIR WORDEXE WARMUPS RUNS
//
// Each step runs once for every configuration it applies to (all 200, or the 100
// with a shortcut), and the loop's time is divided by the number of calls. Prints
// "step_us <id> v1 v2 ...", microseconds per call, one value per measured run.
#include "BenchClock.h"
#include "MinimalLink.h"
#include "core/Module1.h"
#include "shell/ComInit.h"
#include "shell/cShellLinkA.h"
#include "support/AppSettings.h"
#include "support/FileCopy.h"
#include "support/IniValues.h"
#include "support/Probes.h"
#include "support/Strings.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Config {
    std::wstring name, cfg, templateFile, shortcutName, desc, icon;
};

void Step(const char* id, size_t calls, int warmups, int runs, const std::function<void()>& loop) {
    std::vector<double> perCall;
    for (double ms : bench::Repeat(warmups, runs, loop))
        perCall.push_back(ms * 1000.0 / static_cast<double>(calls));
    std::printf("step_us %s", id);
    for (double v : perCall) std::printf(" %.1f", v);
    std::printf("\n");
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

    Step("install_config", all, warmups, runs, [&] {
        for (const Config& c : configs) Module1::InstallConfig(c.name, true);
    });
    Step("list_configs", 1, warmups, runs, [&] { Module1::ListConfigNames(); });
    Step("read_ini", all, warmups, runs, [&] {
        for (const Config& c : configs)
            ReadIniSection(c.cfg, Module1::kConfigSection, Module1::kKeyTemplateFile);
    });
    Step("file_exists", all, warmups, runs, [&] {
        for (const Config& c : configs) DoesFileExist(app + L"Templates\\" + c.templateFile);
    });
    Step("copy_shell", all, warmups, runs, [&] {
        for (const Config& c : configs)
            CopyFiles(app + L"Templates\\" + c.templateFile, templatesDir, true, false);
    });
    Step("copy_plain", all, warmups, runs, [&] {
        for (const Config& c : configs)
            CopyFileW((app + L"Templates\\" + c.templateFile).c_str(),
                      (templatesDir + L"\\" + c.templateFile).c_str(), FALSE);
    });
    Step("desktop_folder", all, warmups, runs, [&] {
        for (size_t i = 0; i < all; ++i)
            modSpecialFolders::GetSpecialFolder(modSpecialFolders::CSIDL_DESKTOP_FOLDER);
    });
    Step("link_ours", some, warmups, runs, [&] {
        for (const Config* c : withShortcut) {
            cShellLinkA link;
            link.CreateLink(c->desc, desktop + L"\\" + c->shortcutName + L".lnk", word,
                            templatesDir, L"/t\"" + c->templateFile + L"\"", 0, 0, SW_SHOW,
                            templatesDir + L"\\" + c->icon);
        }
    });
    Step("link_minimal", some, warmups, runs, [&] {
        for (const Config* c : withShortcut)
            bench::SaveShortcut(desktop + L"\\" + c->shortcutName + L".lnk", word,
                                templatesDir + L"\\" + c->icon, templatesDir,
                                L"/t\"" + c->templateFile + L"\"", c->desc);
    });
    std::printf("info configs=%zu\ninfo shortcuts=%zu\n", all, some);
    return 0;
}
