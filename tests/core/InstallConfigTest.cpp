// InstallConfig called the way the main window calls it, with the shortcut switch
// off and on. It works in the folders beside the test program (build/tests), which
// belong to this test alone while it runs.
#include "core/Module1.h"
#include "support/AppSettings.h"
#include "support/IniValues.h"
#include "support/Probes.h"
#include "testlib/Scratch.h"

#include <windows.h>

#include <gtest/gtest.h>

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

    std::wstring app_;
    std::wstring link_;
    testlib::ScratchDir user_{L"profile"};
};

} // namespace

TEST_F(InstallConfigSwitch, SwitchOffCopiesTheTemplateOnlyAndLeavesTheDesktopAlone) {
    EXPECT_TRUE(Module1::InstallConfig(L"SwitchTest", false));
    EXPECT_EQ(ReadFile(Module1::sUserTemplatesDir + L"\\SwitchTest.dotx"), "switch template");
    EXPECT_FALSE(FileExists(Module1::sUserTemplatesDir + L"\\SwitchTest.ico"));
    EXPECT_FALSE(FileExists(link_));
}

TEST_F(InstallConfigSwitch, SwitchOnAlsoCopiesTheIconAndWritesTheShortcut) {
    EXPECT_TRUE(Module1::InstallConfig(L"SwitchTest", true));
    EXPECT_EQ(ReadFile(Module1::sUserTemplatesDir + L"\\SwitchTest.ico"), "switch icon");
    EXPECT_TRUE(FileExists(link_));
}

TEST_F(InstallConfigSwitch, WithoutWordTheTemplateIsCopiedButTheShortcutFails) {
    Module1::sWordExePath.clear();
    EXPECT_FALSE(Module1::InstallConfig(L"SwitchTest", true));
    EXPECT_EQ(ReadFile(Module1::sUserTemplatesDir + L"\\SwitchTest.dotx"), "switch template");
    EXPECT_FALSE(FileExists(link_));
}
