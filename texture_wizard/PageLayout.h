// Arithmetic of the wizard pages' frame: how anchored controls follow the window, the step
// caption, and where the next page opens.
#pragma once

#include "DibTypes.h"

enum : int {
    ANCHOR_MOVE_X = 0x01,
    ANCHOR_MOVE_Y = 0x02,
    ANCHOR_SIZE_X = 0x10,
    ANCHOR_SIZE_Y = 0x20,
};

// One control of a layout table; a negative id ends the table.
struct LayoutEntry {
    int id;
    int flags;
    RECT rect; // as the template placed it, dialog client coordinates
};

// Where a control whose template rectangle is saved goes when the window grew by dw, dh.
RECT AnchoredRect(const RECT& saved, int flags, int dw, int dh);

// Replaces %1 in the caption template by the step as a full-width digit (Shift-JIS).
CString StepCaption(const char* format, int step);

// What a page leaves for the next one when it ends: the remembered rectangle given the
// page's normal rectangle, the rectangle it was shown at, and its frame.
RECT NextPageRect(const RECT& remembered, const RECT& normal, const RECT& shown, bool resizable);
