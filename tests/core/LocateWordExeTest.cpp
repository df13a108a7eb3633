#include "core/Module1.h"
#include "testlib/Scratch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

using testlib::ScratchDir;

namespace {

const std::wstring kNative = L"\\Program Files\\Microsoft Office";
const std::wstring kNative15 = L"\\Program Files\\Microsoft Office 15";
const std::wstring kX86 = L"\\Program Files (x86)\\Microsoft Office";
const std::wstring kX8615 = L"\\Program Files (x86)\\Microsoft Office 15";

std::optional<std::wstring> Environment(const wchar_t* name) {
    wchar_t buf[32767];
    const DWORD n = GetEnvironmentVariableW(name, buf, 32767);
    if (n == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::wstring(buf, n);
}

// A scratch folder stands in for the system drive: the drive value is only ever
// put in front of the Office folder names.
class LocateWordExe : public ::testing::Test {
  protected:
    LocateWordExe() : saved_(Environment(L"systemdrive")) {
        SetEnvironmentVariableW(L"systemdrive", drive_.path().c_str());
    }
    ~LocateWordExe() override {
        SetEnvironmentVariableW(L"systemdrive", saved_ ? saved_->c_str() : nullptr);
    }

    // Creates D & rel (a file), with its folders.
    std::wstring Place(const std::wstring& rel) {
        const std::wstring path = drive_.path() + rel;
        testlib::MakeDirs(path.substr(0, path.find_last_of(L'\\')));
        testlib::WriteFile(path, "MZ");
        return path;
    }
    void Folder(const std::wstring& rel) { testlib::MakeDirs(drive_.path() + rel); }

    ScratchDir drive_{L"word"};
    std::optional<std::wstring> saved_;
};

} // namespace

TEST_F(LocateWordExe, FindsWordInTheX86TreeWhenTheNativeOneHasNone) {
    Folder(kNative + L"\\Office14");
    Place(kX86 + L"\\Office14\\winword.exe.bak");
    EXPECT_EQ(Module1::LocateWordExe()[0], L"");
    const std::wstring word = Place(kX86 + L"\\Office14\\winword.exe");
    EXPECT_EQ(Module1::LocateWordExe()[0], word);
}

TEST_F(LocateWordExe, NativeTreeWinsOverX86) {
    const std::wstring word = Place(kNative + L"\\Office16\\WINWORD.EXE");
    Place(kX86 + L"\\Office14\\winword.exe");
    EXPECT_EQ(Module1::LocateWordExe()[0], word); // the name as stored, capitals and all
}

TEST_F(LocateWordExe, EmptyOffice15FolderDoesNotHideItsPlainSibling) {
    Folder(kNative15);
    const std::wstring native = Place(kNative + L"\\Office14\\winword.exe");
    Place(kX86 + L"\\Office12\\WinWord.exe");
    EXPECT_EQ(Module1::LocateWordExe()[0], native);

    const std::wstring native15 = Place(kNative15 + L"\\root\\Office15\\winword.exe");
    EXPECT_EQ(Module1::LocateWordExe()[0], native15);
}

TEST_F(LocateWordExe, X86Office15FolderWinsOverItsPlainSibling) {
    const std::wstring x86 = Place(kX86 + L"\\Office14\\winword.exe");
    Folder(kX8615);
    EXPECT_EQ(Module1::LocateWordExe()[0], x86);
    const std::wstring word = Place(kX8615 + L"\\root\\Office15\\winword.exe");
    EXPECT_EQ(Module1::LocateWordExe()[0], word);
}

TEST_F(LocateWordExe, LastListedCopyWins) {
    Place(kNative + L"\\winword.exe");
    const std::wstring deeper = Place(kNative + L"\\Office16\\winword.exe");
    EXPECT_EQ(Module1::LocateWordExe()[0], deeper);
}

TEST_F(LocateWordExe, UnsetSystemDriveGivesEmpty) {
    Place(kNative + L"\\Office16\\winword.exe");
    Place(kX86 + L"\\Office14\\winword.exe");
    ASSERT_FALSE(Module1::LocateWordExe()[0].empty());
    SetEnvironmentVariableW(L"systemdrive", nullptr);
    EXPECT_EQ(Module1::LocateWordExe()[0], L"");
}

// Both registry views, as 64-bit Windows answers them (Wine's 32-bit prefix has one):
// the first that names an existing file wins.
TEST_F(LocateWordExe, AppPathsTakesTheFirstViewNamingAnExistingFile) {
    const std::wstring word = Place(L"\\Apps\\WINWORD.EXE");
    using Value = CommonModule::RegistryValue;
    const Value none, gone{ERROR_SUCCESS, REG_SZ, word + L".gone"};
    const std::pair<Value, Value> cases[] = {
        {none, {ERROR_SUCCESS, REG_SZ, L"\"" + word + L"\""}},
        {gone, {ERROR_SUCCESS, REG_SZ, word}},
        {{ERROR_SUCCESS, REG_EXPAND_SZ, L"%systemdrive%\\Apps\\WINWORD.EXE"}, gone},
    };
    for (const auto& [view64, view32] : cases)
        EXPECT_EQ(Module1::RegisteredExe(
                      [&](REGSAM view) { return view == KEY_WOW64_64KEY ? view64 : view32; }),
                  word);
}
