#pragma once
// Form2 as it is laid out: sizes in twips, from top to bottom.
#include "resource.h"
#include "ui/common/Layout.h"

#include <array>

namespace Form2Layout {

inline constexpr wchar_t kCaption[] = L"Command Line Parameters:";
inline constexpr int kClientWidth = 5550;

using Layout::Kind;
using enum Layout::Look;

// Labels take no focus; their tab indexes only fix the order they are made in.
// clang-format off
inline constexpr std::array<Layout::Control, 26> kLabels{{
//   name        id                kind         caption                                                         left   top  width height tab parent look
    {L"Label2",  IDC_Form2Label2,  Kind::Label, L"/InstallAll",                                                  240,  240, 1575,  255,  0, 0, Bold},
    {L"Label9",  IDC_Form2Label9,  Kind::Label, L"Copies configured templates to %appdata%\\Microsoft\\Templates", 360, 480, 4935, 255, 1, 0},
    {L"Label6",  IDC_Form2Label6,  Kind::Label, L"Installs all configured desktop shortcuts.",                   360,  720, 4935,  255,  2, 0},
    {L"Label3",  IDC_Form2Label3,  Kind::Label, L"/CopyAll",                                                     240, 1080, 1575,  255,  3, 0, Bold},
    {L"Label7",  IDC_Form2Label7,  Kind::Label, L"Copies all templates to %appdata%\\Microsoft\\Templates",      360, 1320, 4935,  255,  4, 0},
    {L"Label8",  IDC_Form2Label8,  Kind::Label, L"No config needed; does NOT install the desktop shortcuts.",    360, 1560, 4935,  255,  5, 0},
    {L"Label4",  IDC_Form2Label4,  Kind::Label, L"/Install [Template Config Name]",                              240, 1920, 3135,  255,  6, 0, Bold},
    {L"Label16", IDC_Form2Label16, Kind::Label, L"(NOT the Template File Name!)",                               3120, 1920, 2415,  255,  7, 0},
    {L"Label10", IDC_Form2Label10, Kind::Label, L"Copies specified template to %appdata%\\Microsoft\\Templates", 360, 2160, 4935,  255,  8, 0},
    {L"Label11", IDC_Form2Label11, Kind::Label, L"Installs specified desktop shortcut when configured.",         360, 2400, 4935,  255,  9, 0},
    {L"Label5",  IDC_Form2Label5,  Kind::Label, L"/Copy [Template File Name]",                                   240, 2760, 2775,  255, 10, 0, Bold},
    {L"Label15", IDC_Form2Label15, Kind::Label, L"(NOT the Template Config Name!)",                             2880, 2760, 2655,  255, 11, 0},
    {L"Label12", IDC_Form2Label12, Kind::Label, L"Copies specified template to %appdata%\\Microsoft\\Templates", 360, 3000, 4935,  255, 12, 0},
    {L"Label13", IDC_Form2Label13, Kind::Label, L"No config needed; does NOT install the desktop shortcut.",     360, 3240, 4935,  255, 13, 0},
    {L"Label17", IDC_Form2Label17, Kind::Label, L"/Remove [Template Config Name]",                               240, 3600, 3135,  255, 14, 0, Bold},
    {L"Label18", IDC_Form2Label18, Kind::Label, L"Removes the template, icon and desktop shortcut it installed.", 360, 3840, 4935, 255, 15, 0},
    {L"Label19", IDC_Form2Label19, Kind::Label, L"/Check [Template Config Name]",                                240, 4200, 2940,  255, 16, 0, Bold},
    {L"Label20", IDC_Form2Label20, Kind::Label, L"Reports; changes nothing.",                                   3240, 4200, 2295,  255, 17, 0},
    {L"Label21", IDC_Form2Label21, Kind::Label, L"Shows what /InstallAll (or /Install) would do.",              360, 4440, 4935,  255, 18, 0},
    {L"Label22", IDC_Form2Label22, Kind::Label, L"/RegisterEvents",                                             240, 4800, 2775,  255, 19, 0, Bold},
    {L"Label23", IDC_Form2Label23, Kind::Label, L"Registers the event source Dorvane for this Dorvane.exe.",    360, 5040, 4935,  255, 20, 0},
    {L"Label24", IDC_Form2Label24, Kind::Label, L"Needs administrator rights; Word is not needed.",             360, 5280, 4935,  255, 21, 0},
    {L"Label25", IDC_Form2Label25, Kind::Label, L"/UnregisterEvents",                                           240, 5640, 2775,  255, 22, 0, Bold},
    {L"Label26", IDC_Form2Label26, Kind::Label, L"Removes that registration.",                                  360, 5880, 4935,  255, 23, 0},
    {L"Label27", IDC_Form2Label27, Kind::Label, L"Needs administrator rights; Word is not needed.",             360, 6120, 4935,  255, 24, 0},
    {L"Label14", IDC_Form2Label14, Kind::Label, L"All execution is completely silent.",                          120, 6600, 5295,  255, 25, 0, Centred},
}};
// clang-format on
static_assert(Layout::IsWellFormed(kLabels));

// As tall as the list of switches needs, with the margin it always had below the last
// line.
inline constexpr int kClientHeight = [] {
    int bottom = 0;
    for (const Layout::Control& c : kLabels)
        bottom = c.top + c.height > bottom ? c.top + c.height : bottom;
    return bottom + 300;
}();

} // namespace Form2Layout
