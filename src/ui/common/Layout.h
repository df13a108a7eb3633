#pragma once
// Windows laid out from tables: each control with its kind, caption, rectangle in
// twips (relative to its parent) and tab index. Creating the controls in tab-index
// order gives every parent its children's z-order, which is the order Tab follows.
// A label that names a control is made just before it instead: a screen reader names
// an edit box after the static text directly above it in z-order, and as labels take
// no focus, the order among the tab stops stays that of their tab indexes.
#include <windows.h>

#include <span>
#include <vector>

namespace Layout {

enum class Kind { Label, ListBox, Button, CheckBox, Frame, Container, TextBox };

// What a control looks like beyond its kind.
enum Look : unsigned {
    Plain = 0,
    Blue = 1,      // text in RGB(0, 0, 255)
    Bold = 2,      // the bold heading font
    Centred = 4,   // text centred
    Ticked = 8,    // a check box that starts ticked
    Ellipsis = 16, // a label of one line that ends in "..." where its text is cut
};

constexpr COLORREF kBlue = RGB(0, 0, 255);

struct Control {
    const wchar_t* name;
    int id;
    Kind kind;
    const wchar_t* caption;
    int left, top, width, height; // twips, in the parent's client area
    int tab;
    int parent; // id of the parent control; 0 for the window itself
    unsigned look = Plain;
    int labels = 0;                  // a label: id of the control it names
    const wchar_t* spoken = nullptr; // what a screen reader calls it, beside its caption
};

// Tab indexes are unique and every parent comes before its children in tab order,
// so that the parent exists when a child is made; a label names one control of its
// own parent, and no other label names that control.
constexpr bool IsWellFormed(std::span<const Control> table) {
    for (const Control& c : table) {
        bool parentFound = c.parent == 0, namedFound = c.labels == 0;
        for (const Control& other : table) {
            if (&other != &c && (other.tab == c.tab || other.id == c.id)) return false;
            if (&other != &c && c.labels != 0 && other.labels == c.labels) return false;
            if (other.id == c.parent) parentFound = parentFound || other.tab < c.tab;
            if (other.id == c.labels)
                namedFound =
                    c.kind == Kind::Label && other.kind != Kind::Label && other.parent == c.parent;
        }
        if (!parentFound || !namedFound) return false;
    }
    return true;
}

// 1440 twips to the inch, at the screen's logical resolution.
inline int TwipsToPixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}
int ScreenDpi();
// The resolution the window is shown at: its monitor's where the system tells each
// window its own (Windows 10 1607 and later), else the screen's.
int WindowDpi(HWND hWnd);

DWORD StyleOf(const Control& c);
DWORD ExStyleOf(const Control& c);
const wchar_t* ClassOf(Kind kind);

struct Fonts {
    HFONT normal = nullptr;
    HFONT bold = nullptr;
};

// Creates the table's controls on hWnd, in tab order with each label just before the
// control it names; the result holds their handles in table order.
std::vector<HWND> CreateControls(HWND hWnd, std::span<const Control> table, const Fonts& fonts,
                                 int dpi);
// Lays controls made by CreateControls out again at another resolution, in its fonts.
void PlaceControls(std::span<const HWND> made, std::span<const Control> table, const Fonts& fonts,
                   int dpi);

// The outer size of a window whose client area has the given size in twips.
SIZE WindowSizeForClient(int widthTwips, int heightTwips, DWORD style, DWORD exStyle, bool bMenu,
                         int dpi);
// Corrects the window's size once it exists (a menu bar that wraps, for one).
void FitClientArea(HWND hWnd, int widthTwips, int heightTwips, int dpi);

// The window moved to a monitor of another resolution (WM_DPICHANGED): its controls
// laid out again at that resolution in the given fonts, the window in the rectangle
// the system suggests, its client area corrected to the table's size.
void Rescale(HWND hWnd, std::span<const HWND> made, std::span<const Control> table,
             const Fonts& fonts, int dpi, const RECT& suggested, SIZE clientTwips);

} // namespace Layout
