// InstallConfig called the way the main window calls it, with the shortcut switch
// off and on. It works in the folders beside the test program (build/tests), which
// belong to this test alone while it runs.
#include "core/Module1.h"
#include "support/AppSettings.h"
#include "support/IniValues.h"
#include "support/Probes.h"
#include "testlib/DebugCapture.h"
#include "testlib/Scratch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using testlib::FileExists;
using testlib::ReadFile;

namespace {

class InstallConfigSwitch : public ::testing::Test {
  protected:
    void SetUp() override {
        app_ = CommonModule::AppPath();
        for (const wchar_t* folder : {L"Templates", L"AltIcons", L"Configs"})
            CommonModule::CreateDirPath(app_ + folder);
        testlib::WriteFile(app_ + L"Templates\\SwitchTest.dotx", "switch template");
        testlib::WriteFile(app_ + L"AltIcons\\SwitchTest.ico", "switch icon");
        const std::wstring cfg = Module1::ConfigFilePath(L"SwitchTest");
        CommonModule::WriteIniValue(cfg, L"Config", L"TemplateFile", L"SwitchTest.dotx");
        CommonModule::WriteIniValue(cfg, L"Config", L"ShortcutName", L"SwitchTest Shortcut");
        CommonModule::WriteIniValue(cfg, L"Config", L"ShortcutIcon", L"SwitchTest.ico");
        Module1::sUserTemplatesDir = user_.path() + L"\\Templates";
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        Module1::sWordExePath = self; // any existing program will do as the target
        link_ = modSpecialFolders::GetSpecialFolder(modSpecialFolders::CSIDL_DESKTOP_FOLDER) +
                L"\\SwitchTest Shortcut.lnk";
        DeleteFileW(link_.c_str());
    }
    void TearDown() override {
        DeleteFileW(link_.c_str());
        DeleteFileW(Module1::ConfigFilePath(L"SwitchTest").c_str());
        DeleteFileW((app_ + L"Templates\\SwitchTest.dotx").c_str());
        DeleteFileW((app_ + L"AltIcons\\SwitchTest.ico").c_str());
        Module1::sWordExePath.clear();
        Module1::sUserTemplatesDir.clear();
    }

    // A run of its own for each call, as each Install in the window is one.
    static Module1::InstallResult Install(const std::wstring& name, bool bMakeShortcut) {
        Module1::InstallRun run;
        return Module1::InstallConfig(run, name, bMakeShortcut);
    }

    std::wstring app_;
    std::wstring link_;
    testlib::ScratchDir user_{L"profile"};
};

} // namespace

TEST_F(InstallConfigSwitch, SwitchOffCopiesTheTemplateOnlyAndLeavesTheDesktopAlone) {
    EXPECT_TRUE(Install(L"SwitchTest", false));
    EXPECT_EQ(ReadFile(Module1::sUserTemplatesDir + L"\\SwitchTest.dotx"), "switch template");
    EXPECT_FALSE(FileExists(Module1::sUserTemplatesDir + L"\\SwitchTest.ico"));
    EXPECT_FALSE(FileExists(link_));
}

TEST_F(InstallConfigSwitch, SwitchOnAlsoCopiesTheIconAndWritesTheShortcut) {
    const Module1::InstallResult result = Install(L"SwitchTest", true);
    EXPECT_TRUE(result);
    EXPECT_EQ(result.sReason, L"");
    EXPECT_EQ(ReadFile(Module1::sUserTemplatesDir + L"\\SwitchTest.ico"), "switch icon");
    EXPECT_TRUE(FileExists(link_));
}

TEST_F(InstallConfigSwitch, WithoutWordTheTemplateIsCopiedButTheShortcutFails) {
    Module1::sWordExePath.clear();
    const Module1::InstallResult result = Install(L"SwitchTest", true);
    EXPECT_FALSE(result);
    EXPECT_NE(result.sReason.find(L"Word was not found"), std::wstring::npos);
    EXPECT_EQ(ReadFile(Module1::sUserTemplatesDir + L"\\SwitchTest.dotx"), "switch template");
    EXPECT_FALSE(FileExists(link_));
}

// The window lists why a configuration did not install: the first step that failed,
// even when later steps fail too.
TEST_F(InstallConfigSwitch, FailureNamesTheFirstFailedStep) {
    const std::wstring cfg = Module1::ConfigFilePath(L"SwitchTest");
    struct Case {
        const wchar_t* key;
        const wchar_t* value;
        const wchar_t* reason;
    };
    const Case cases[] = {
        {L"TemplateFile", L"", L"TemplateFile is empty"},
        {L"TemplateFile", L"..\\SwitchTest.dotx", L"refused TemplateFile"},
        {L"TemplateFile", L"Missing.dotx", L"missing template"},
        {L"ShortcutName", L"..\\SwitchTest", L"refused ShortcutName"},
        {L"ShortcutIcon", L"C:SwitchTest.ico", L"refused ShortcutIcon"},
        // The desktop has no such subfolder, so the shortcut cannot be saved.
        {L"ShortcutName", L"No Such Folder\\SwitchTest", L"failed to write the shortcut"},
    };
    for (const Case& c : cases) {
        const std::wstring before = CommonModule::ReadIniSection(cfg, L"Config", c.key);
        ASSERT_TRUE(CommonModule::WriteIniValue(cfg, L"Config", c.key, c.value));
        if (std::wstring(c.key) == L"TemplateFile") { // a later step fails as well
            ASSERT_TRUE(CommonModule::WriteIniValue(cfg, L"Config", L"ShortcutName", L"..\\x"));
        }
        const Module1::InstallResult result = Install(L"SwitchTest", true);
        EXPECT_FALSE(result) << testlib::Utf8(c.value);
        EXPECT_NE(result.sReason.find(c.reason), std::wstring::npos)
            << testlib::Utf8(c.value) << ": " << testlib::Utf8(result.sReason);
        ASSERT_TRUE(CommonModule::WriteIniValue(cfg, L"Config", c.key, before));
        ASSERT_TRUE(
            CommonModule::WriteIniValue(cfg, L"Config", L"ShortcutName", L"SwitchTest Shortcut"));
    }

    const Module1::InstallResult missing = Install(L"No Such Config", true);
    EXPECT_NE(missing.sReason.find(L"missing configuration"), std::wstring::npos)
        << testlib::Utf8(missing.sReason);

    // A file where the templates folder should be: the copy cannot land.
    Module1::sUserTemplatesDir = user_ / L"Blocked";
    testlib::WriteFile(Module1::sUserTemplatesDir, "in the way");
    const Module1::InstallResult blocked = Install(L"SwitchTest", false);
    EXPECT_NE(blocked.sReason.find(L"failed to copy the template"), std::wstring::npos)
        << testlib::Utf8(blocked.sReason);
}

// The window installs again and again in one process: a second install leaves what is
// in place alone, and what was removed in between comes back.
TEST_F(InstallConfigSwitch, InstallingAgainInOneProcessWritesOnlyWhatIsMissing) {
    const auto skipped = [](const testlib::DebugCapture& debug, const char* what) {
        return std::count_if(debug.lines().begin(), debug.lines().end(), [&](const auto& line) {
            return line.find(what) != std::string::npos;
        });
    };
    const std::wstring tpl = Module1::sUserTemplatesDir + L"\\SwitchTest.dotx";
    ASSERT_TRUE(Install(L"SwitchTest", true));
    {
        testlib::DebugCapture debug;
        ASSERT_TRUE(Install(L"SwitchTest", true));
        EXPECT_EQ(skipped(debug, "unchanged, not copied: "), 2);
        EXPECT_EQ(skipped(debug, "unchanged, not saved: "), 1);
    }
    ASSERT_TRUE(DeleteFileW(tpl.c_str()));
    ASSERT_TRUE(DeleteFileW(link_.c_str()));
    testlib::DebugCapture debug;
    ASSERT_TRUE(Install(L"SwitchTest", true));
    EXPECT_EQ(skipped(debug, "unchanged, not copied: "), 1); // the icon
    EXPECT_EQ(skipped(debug, "unchanged, not saved: "), 0);
    EXPECT_EQ(ReadFile(tpl), "switch template");
    EXPECT_TRUE(FileExists(link_));
}
