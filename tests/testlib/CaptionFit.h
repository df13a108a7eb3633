#pragma once
// How each caption of a window fits its control, measured in the control's own font
// the way the control lays its text out.
#include <windows.h>

#include <string>
#include <vector>

namespace testlib {

struct CaptionFit {
    int id;
    std::wstring caption, face; // face: what the control's font resolved to
    SIZE need, room;            // the text's extent; the room the control gives it
    bool Fits() const { return need.cx <= room.cx && need.cy <= room.cy; }
};

// Every label, check box and push button below hTop. A label's room ends where a
// sibling laid over it begins.
std::vector<CaptionFit> MeasureCaptions(HWND hTop);

} // namespace testlib
