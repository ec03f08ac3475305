// Zoom arithmetic of the editing view. A zoom is one 32-bit value: the multiplier in the
// low 16 bits, the divisor in the high 16 bits (1:1 is multiplier 1, divisor 1).
#pragma once

#include "DibTypes.h"

inline UINT MakeZoom(UINT multiplier, UINT divisor)
{
    return (multiplier & 0xFFFF) | ((divisor & 0xFFFF) << 16);
}
// A zero half reads as 1, so no caller ever divides by it.
inline UINT ZoomMultiplier(UINT zoom)
{
    return (zoom & 0xFFFF) ? (zoom & 0xFFFF) : 1;
}
inline UINT ZoomDivisor(UINT zoom)
{
    return (zoom >> 16) ? (zoom >> 16) : 1;
}
inline bool ZoomIsOne(UINT zoom)
{
    return ZoomMultiplier(zoom) == 1 && ZoomDivisor(zoom) == 1;
}

// Brings a ratio to the form where one side is 1.
UINT ReduceZoom(UINT multiplier, UINT divisor);
UINT ZoomInStep(UINT zoom);
UINT ZoomOutStep(UINT zoom);

// The power-of-two zoom the first paint chooses for a picture of w x h in a client of
// cw x ch: halves (to 1:8) until it fits, else doubles (to 8:1) while it still fits.
UINT ChooseAutoZoom(int w, int h, int cw, int ch);

// Fit to window: the zoom and the displayed size.
struct FitResult {
    UINT zoom;
    int width;
    int height;
};
FitResult FitPicture(int w, int h, int cw, int ch);

// value x zoom, rounded; the picture side of the view.
int ZoomValue(int value, UINT zoom);
// A client coordinate (scroll position added) back to picture pixels.
int UnzoomValue(int client, int scroll, UINT zoom, bool plain);

// Line step of the scroll bars: multiplier x 8 / divisor (at least 1).
int ZoomLineStep(UINT zoom);

// The first range box shown on a picture: 640 x 480 at most, 10 pixels in from the visible
// corner; an axis where that would not leave 2 pixels inside the picture takes the whole
// picture instead.
RECT DefaultRangeBox(int scrollX, int scrollY, int imageWidth, int imageHeight);

// Entries of the pages' zoom list: 8x, 4x, 2x, 1x, 1/2, 1/4, 1/8.
int ZoomListIndex(UINT zoom);
UINT ZoomForListIndex(int index);
