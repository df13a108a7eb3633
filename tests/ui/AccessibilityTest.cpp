// What a screen reader says for the main window's controls, asked the way a reader
// asks (AccessibleObjectFromWindow, get_accName), and the headings in high contrast.
#include "resource.h"
#include "support/ScopedWin.h"
#include "ui/Form1.h"
#include "ui/Form1Layout.h"
#include "ui/common/Contrast.h"
#include "ui/common/Layout.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

static std::wstring SpokenName(HWND hControl) {
    ScopedWin::ComPtr<IAccessible> object;
    VARIANT self{};
    self.vt = VT_I4; // CHILDID_SELF
    BSTR name = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hControl, OBJID_CLIENT, __uuidof(IAccessible),
                                          object.put_void())) ||
        object->get_accName(self, &name) != S_OK || !name)
        return L"(none)";
    std::wstring text(name, SysStringLen(name));
    SysFreeString(name);
    return text;
}

// A reader names a box after the static text directly before it in z-order. Wine does
// so for edit boxes and gives a list no name, so for the list the order alone is seen.
// Every box has its label.
TEST(ScreenReader, EachBoxIsNamedByItsLabelAndEachBrowseButtonByWhatItBrowsesFor) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const HWND form = Form1::Show();
    ASSERT_TRUE(form);
    auto at = [form](int id) { return Form1::Control(form, id); };
    for (const Layout::Control& box : Form1Layout::kControls) {
        if (box.kind != Layout::Kind::TextBox && box.kind != Layout::Kind::ListBox) continue;
        const auto label =
            std::ranges::find(Form1Layout::kControls, box.id, &Layout::Control::labels);
        ASSERT_NE(label, Form1Layout::kControls.end()) << box.id;
        EXPECT_EQ(GetWindow(at(box.id), GW_HWNDPREV), at(label->id)) << box.id;
        if (box.kind == Layout::Kind::TextBox) {
            EXPECT_EQ(SpokenName(at(box.id)), label->caption);
        }
    }
    EXPECT_EQ(SpokenName(at(IDC_Command3)), L"Browse for the template file");
    EXPECT_EQ(SpokenName(at(IDC_Command2)), L"Browse for the alternate icon");
    DestroyWindow(form);
    CoUninitialize();
}

// Wine never says high contrast is on (SPI_SETHIGHCONTRAST fails there), so the
// system's answer is fed in; the scheme's text colour is made yellow, as one would be.
TEST(HighContrast, HeadingsTakeTheSchemesTextColourOnlyWhileItIsOn) {
    int element = COLOR_WINDOWTEXT;
    const COLORREF was = GetSysColor(element), yellow = RGB(255, 255, 0);
    ASSERT_TRUE(SetSysColors(1, &element, &yellow));
    for (const auto& [flags, heading] :
         {std::pair<DWORD, COLORREF>{0, Layout::kBlue},
          {HCF_AVAILABLE | HCF_HOTKEYACTIVE | HCF_CONFIRMHOTKEY, Layout::kBlue},
          {HCF_HIGHCONTRASTON | HCF_AVAILABLE, yellow}}) {
        const HIGHCONTRASTW answer{sizeof(HIGHCONTRASTW), flags, nullptr};
        EXPECT_EQ(Contrast::HeadingColour(answer), heading) << flags;
    }
    SetSysColors(1, &element, &was);
}
