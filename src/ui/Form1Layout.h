#pragma once
// Form1 as it is laid out: sizes in twips (15 to the pixel at 96 dpi), positions
// relative to the parent, tab indexes in the window's tab order; for a label, the
// control it names, and for the two Browse buttons what a screen reader calls them.
#include "resource.h"
#include "ui/common/Layout.h"

#include <array>

namespace Form1Layout {

inline constexpr wchar_t kWebSite[] = L"https://dorvane.example.org";
inline constexpr wchar_t kCaption[] = L"Dorvane  -  https://dorvane.example.org";
inline constexpr wchar_t kHelpPage[] = L"https://dorvane.example.org/dorvane/";
inline constexpr int kClientWidth = 9735, kClientHeight = 5385;

using Layout::Kind;
using enum Layout::Look;

// clang-format off
inline constexpr std::array<Layout::Control, 22> kControls{{
//   name                   id                        kind             caption                                  left   top  width height tab  parent        look   labels / spoken
    {L"Label1",             IDC_Label1,               Kind::Label,     L"Template Configs:",                     480,  240, 1575,  255,   1, 0,            Blue,  IDC_List1},
    {L"List1",              IDC_List1,                Kind::ListBox,   L"",                                      480,  480, 2655, 2010,   0, 0},
    {L"Command1",           IDC_Command1,             Kind::Button,    L"Install Selected Template(s)",         3600, 1080, 5655,  735,   2, 0},
    {L"Check1",             IDC_Check1,               Kind::CheckBox,  L"Install Desktop Shortcuts When Configured.", 4680, 2040, 3855, 255, 20, 0,          Ticked},
    {L"Label9",             IDC_Label9,               Kind::Label,     L"",                                     3600, 2400, 5655,  255,  21, 0,            Ellipsis},
    {L"Frame1",             IDC_Frame1,               Kind::Frame,     L"Selected Template Configuration:",      240, 2760, 9255, 2415,   3, 0,            Blue},
    {L"Picture1",           IDC_Picture1,             Kind::Container, L"",                                      120,  240, 9015, 2055,   4, IDC_Frame1},
    {L"Label2",             IDC_Label2,               Kind::Label,     L"Template Config Name:",                 120,  120, 2535,  255,  19, IDC_Picture1, Plain, IDC_txtConfigName},
    {L"txtConfigName",      IDC_txtConfigName,        Kind::TextBox,   L"",                                      120,  360, 2655,  285,  11, IDC_Picture1},
    {L"Label3",             IDC_Label3,               Kind::Label,     L"Template File Name:",                   120,  840, 1815,  255,  18, IDC_Picture1, Plain, IDC_txtTemplateFileName},
    {L"Command3",           IDC_Command3,             Kind::Button,    L"Browse",                               1800,  840,  975,  255,   6, IDC_Picture1, Plain, 0, L"Browse for the template file"},
    {L"txtTemplateFileName",IDC_txtTemplateFileName,  Kind::TextBox,   L"",                                      120, 1080, 2655,  285,   8, IDC_Picture1},
    {L"Command4",           IDC_Command4,             Kind::Button,    L"Save Template",                         120, 1560, 2655,  375,   5, IDC_Picture1},
    {L"Label5",             IDC_Label5,               Kind::Label,     L"Shortcut Name:  ",                     3120,  120, 2655,  255,  16, IDC_Picture1, Plain, IDC_txtLNKFileName},
    {L"txtLNKFileName",     IDC_txtLNKFileName,       Kind::TextBox,   L"",                                     3120,  360, 2655,  285,  10, IDC_Picture1},
    {L"Label7",             IDC_Label7,               Kind::Label,     L"(Name of desktop shortcut to launch a new document with the template.)", 3120, 720, 2655, 495, 14, IDC_Picture1},
    {L"Label6",             IDC_Label6,               Kind::Label,     L"Shortcut Description:  (for mouse hover tooltip)", 3120, 1320, 4935, 255, 15, IDC_Picture1, Plain, IDC_txtLNKDesc},
    {L"txtLNKDesc",         IDC_txtLNKDesc,           Kind::TextBox,   L"",                                     3120, 1560, 5775,  285,   9, IDC_Picture1},
    {L"Label4",             IDC_Label4,               Kind::Label,     L"Alternate Icon:",                      6240,  120, 1455,  255,  17, IDC_Picture1, Plain, IDC_txtIcon},
    {L"Command2",           IDC_Command2,             Kind::Button,    L"Browse",                               7920,  120,  975,  255,   7, IDC_Picture1, Plain, 0, L"Browse for the alternate icon"},
    {L"txtIcon",            IDC_txtIcon,              Kind::TextBox,   L"",                                     6240,  360, 2655,  285,  12, IDC_Picture1},
    {L"Label8",             IDC_Label8,               Kind::Label,     L"(Optional, an alternate icon you wish to use for the desktop shortcut.)", 6240, 720, 2655, 615, 13, IDC_Picture1},
}};
// clang-format on
static_assert(Layout::IsWellFormed(kControls));

} // namespace Form1Layout
