// A first "/installall" of many configurations taken apart: the calls InstallConfig
// makes, in the order it makes them, each timed on its own, so that a cost which
// grows as the user's templates folder and the desktop fill up shows which call it
// sits in. Lives in the application folder (AppPath is its own folder).
//
//   bench_growth TEMPLATESDIR DESKTOPDIR WORDEXE BUCKET
//
// Prints "list_us <time>" for the listing of the configurations, then per BUCKET
// configurations one line "bucket <first> <step>=<mean microseconds per call> ...",
// and "total_ms <time>" for the whole loop. Besides the calls of InstallConfig, each
// configuration times two calls on the same files every time (control_ini,
// control_match) and one attribute query of a name the templates folder does not hold
// (missing_name).
#include "BenchClock.h"
#include "core/Module1.h"
#include "core/Unchanged.h"
#include "shell/ComInit.h"
#include "shell/cShellLinkA.h"
#include "support/AppSettings.h"
#include "support/FileCopy.h"
#include "support/VerifiedCopy.h"
#include "support/IniValues.h"
#include "support/Probes.h"
#include "support/Strings.h"

#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>

namespace {

struct Tally {
    double us = 0;
    int calls = 0;
};

class Buckets {
  public:
    template <class Op> auto Time(const char* step, Op&& op) {
        const double t0 = bench::NowMs();
        auto result = op();
        Tally& t = steps_[step];
        t.us += (bench::NowMs() - t0) * 1000.0;
        ++t.calls;
        return result;
    }
    void Flush(size_t first) {
        std::printf("bucket %zu", first);
        for (const auto& [step, t] : steps_)
            std::printf(" %s=%.0f", step.c_str(), t.us / t.calls);
        std::printf("\n");
        std::fflush(stdout);
        steps_.clear();
    }

  private:
    std::map<std::string, Tally> steps_;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: bench_growth TEMPLATESDIR DESKTOPDIR WORDEXE BUCKET\n");
        return 2;
    }
    using namespace CommonModule;
    const std::wstring templatesDir = argv[1];
    const std::wstring desktop = argv[2];
    const std::wstring word = argv[3];
    const size_t bucket = static_cast<size_t>(bench::ToInt(argv[4]));
    Module1::sUserTemplatesDir = templatesDir;
    Module1::sWordExePath = word;
    ShellCom::EnsureInitialized();
    const std::wstring app = AppPath();

    double t0 = bench::NowMs();
    const auto names = Module1::ListConfigNames();
    std::printf("list_us %.0f\n", (bench::NowMs() - t0) * 1000.0);

    // The same two calls on the same files every time: what grows here grows with the
    // process or the machine, not with the folders.
    const std::wstring firstCfg = Module1::ConfigFilePath(names.at(0));
    const std::wstring appFile = app + L"Dorvane.exe";
    Buckets b;
    Module1::InstallRun run; // the whole loop is one "/installall"
    t0 = bench::NowMs();
    for (size_t i = 0; i < names.size(); ++i) {
        b.Time("control_ini", [&] { return ReadIniSection(firstCfg, L"Config", L"TemplateFile"); });
        b.Time("control_match", [&] { return FilesMatch(appFile, appFile); });
        // One lookup of a name that is not in the templates folder, as it fills up.
        b.Time("missing_name", [&] { return FilesMatch(appFile, templatesDir + L"\\none.dotx"); });
        const std::wstring cfg = Module1::ConfigFilePath(names[i]);
        const auto read = [&](const wchar_t* key) {
            return b.Time("read_ini", [&] { return ReadIniSection(cfg, L"Config", key); });
        };
        const std::wstring tpl = app + L"Templates\\" + read(L"TemplateFile");
        // As InstallConfig goes: the unchanged check, the existence probe, the copy.
        const auto install = [&](const std::wstring& source) {
            if (!b.Time(
                    "unchanged",
                    [&] { return Module1::InstalledCopyUnchanged(run, source, templatesDir); }) &&
                b.Time("file_exists", [&] { return DoesFileExist(source); }))
                b.Time("copy", [&] {
                    std::wstring why;
                    return CopyFilesVerified(run.workingFolders, source, templatesDir, L"bench",
                                             why);
                });
        };
        install(tpl);
        const std::wstring shortcut = read(L"ShortcutName");
        if (!shortcut.empty()) {
            const std::wstring desc = read(L"ShortcutDesc");
            const std::wstring icon = app + L"AltIcons\\" + read(L"ShortcutIcon");
            install(icon);
            const std::wstring lnk = b.Time("desktop", [&] {
                return modSpecialFolders::GetSpecialFolder(modSpecialFolders::CSIDL_DESKTOP_FOLDER);
            }) + L"\\" + shortcut + L".lnk";
            b.Time("link", [&] {
                return Module1::CreateLinkUnlessUnchanged(
                    run, Module1::RecordedShortcut{}, desc, lnk, word, templatesDir,
                    L"/t\"" + StripPath(tpl) + L"\"", 0, 0, SW_SHOW,
                    templatesDir + L"\\" + StripPath(icon));
            });
        }
        if ((i + 1) % bucket == 0 || i + 1 == names.size()) b.Flush(i / bucket * bucket);
    }
    std::printf("total_ms %.0f\n", bench::NowMs() - t0);
    return 0;
}
