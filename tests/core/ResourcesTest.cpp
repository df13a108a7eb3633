// What the shipped executable carries: the icon group, the version and the manifest.
#include "core/RunReport.h"
#include "resource.h"
#include "support/ScopedWin.h"
#include "support/VersionInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The test program sits in build/tests, the product one folder up.
std::wstring DorvaneExe() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path.erase(path.find_last_of(L'\\'));
    path.erase(path.find_last_of(L'\\') + 1);
    return path + L"Dorvane.exe";
}

class Resources : public ::testing::Test {
  protected:
    void SetUp() override {
        exe_.reset(LoadLibraryExW(DorvaneExe().c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(exe_) << "Dorvane.exe not found beside the tests";
    }
    std::string Data(const wchar_t* name, const wchar_t* type) {
        HRSRC res = FindResourceW(exe_.get(), name, type);
        if (!res) return {};
        const void* p = LockResource(LoadResource(exe_.get(), res));
        return std::string(static_cast<const char*>(p), SizeofResource(exe_.get(), res));
    }
    ScopedWin::UniqueLibrary exe_;
};

} // namespace

TEST_F(Resources, IconGroupA1HoldsFourSizesIn32Bits) {
    // Resource names ignore letter case: the window asks for "a1".
    const std::string group = Data(L"a1", RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u);
    WORD count = 0;
    memcpy(&count, group.data() + 4, 2);
    ASSERT_EQ(count, 4);
    ASSERT_EQ(group.size(), 6 + count * sizeof(GroupIconEntry));
    std::string sizes;
    for (WORD i = 0; i < count; ++i) {
        GroupIconEntry e;
        memcpy(&e, group.data() + 6 + i * sizeof e, sizeof e);
        EXPECT_EQ(e.bitCount, 32) << i;
        sizes += std::to_string(e.width == 0 ? 256 : e.width) + " ";
        EXPECT_FALSE(Data(MAKEINTRESOURCEW(e.id), RT_ICON).empty());
    }
    EXPECT_EQ(sizes, "16 32 48 256 ");
}

TEST_F(Resources, VersionNamesTheProductAndItsNumbers) {
    const std::string data = Data(MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    const VersionInfo::Fields v = VersionInfo::Parse(data.data(), data.size());
    ASSERT_TRUE(v.found);
    EXPECT_EQ(v.major, 1u);
    EXPECT_EQ(v.minor, 0u);
    EXPECT_EQ(v.build, 0u);
    EXPECT_EQ(v.revision, 1u);
    EXPECT_EQ(v.title, L"Dorvane");
    EXPECT_EQ(v.productName, L"Dorvane");
    EXPECT_EQ(VersionInfo::Describe(v, L"", L""), L"Dorvane   v1.0.1 ");
}

// A logon script must start the program without an elevation prompt for every account,
// administrators included, and into that user's own profile.
TEST_F(Resources, ManifestRunsAsInvokerWithCommonControls6) {
    const std::string manifest = Data(CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("level=\"asInvoker\" uiAccess=\"false\""), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"\n"
                            "                        processorArchitecture=\"x86\""),
              std::string::npos);
    EXPECT_NE(manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"), std::string::npos) << "7";
    EXPECT_NE(manifest.find("{e2011457-1546-43c5-a5fe-008deee3d3f0}"), std::string::npos)
        << "Vista";
    // 8, 8.1 and 10/11 too, so that each reports its true version.
    for (const char* os :
         {"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
          "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(manifest.find(os), std::string::npos) << os;
    // Scaled by the program itself on each monitor, not stretched as a bitmap.
    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/"
                            "WindowsSettings\">true/pm</dpiAware>"),
              std::string::npos);
    EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                            "WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>"),
              std::string::npos);
    // ANSI files stay in the system's code page; the shell's copy knows no long paths.
    EXPECT_EQ(manifest.find("activeCodePage"), std::string::npos);
    EXPECT_EQ(manifest.find("longPathAware"), std::string::npos);
}

namespace {
// "caption=id" per item, "caption>" for a pop-up followed by its items and "<".
std::wstring DescribeMenu(HMENU menu) {
    std::wstring out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        if (HMENU sub = GetSubMenu(menu, i)) {
            out += std::wstring(text) + L">" + DescribeMenu(sub) + L"<";
        } else {
            out += std::wstring(text) + L"=" + std::to_wstring(GetMenuItemID(menu, i)) + L";";
        }
    }
    return out;
}
} // namespace

TEST_F(Resources, MainWindowMenuBar) {
    struct Menu {
        HMENU h;
        ~Menu() {
            if (h) DestroyMenu(h);
        }
    } menu{LoadMenuW(exe_.get(), MAKEINTRESOURCEW(IDR_Form1Menu))};
    ASSERT_NE(menu.h, nullptr);
    // The underlined letters open the menus with Alt.
    EXPECT_EQ(DescribeMenu(menu.h),
              L"&Templates>Delete Highlighted Template=" + std::to_wstring(IDM_DelTemp) +
                  L";Retire Highlighted Template=" + std::to_wstring(IDM_RetireTemp) +
                  L";<&Help>View Help Online=" + std::to_wstring(IDM_HelpOnline) +
                  L";Command Line Parameters=" + std::to_wstring(IDM_ShowParms) + L";<");
}

// Event Viewer shows an event by its ID's message with the event's one string in place
// of %1: the text the run wrote, nothing added but the line end.
TEST_F(Resources, EachEventMessageIsItsInsertionString) {
    for (const DWORD id :
         {Module1::kEventRunSucceeded, Module1::kEventStepFailed, Module1::kEventRunNotDone}) {
        std::wstring event = L"Dorvane \"/installall\" ended";
        DWORD_PTR strings[] = {reinterpret_cast<DWORD_PTR>(event.c_str())};
        wchar_t text[200] = {};
        ASSERT_GT(FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                 exe_.get(), id, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text,
                                 200, reinterpret_cast<va_list*>(strings)),
                  0u)
            << id;
        std::wstring shown = text;
        while (!shown.empty() && (shown.back() == L'\n' || shown.back() == L'\r'))
            shown.pop_back();
        EXPECT_EQ(shown, event) << id;
    }
}
