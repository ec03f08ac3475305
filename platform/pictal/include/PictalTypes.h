// Win32 bitmap types used by the picture classes: Windows has them, and the framework's
// native types header gives them with the Win32 layouts.
#pragma once

#include <afxtypes.h>

static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER is 40 bytes");
static_assert(sizeof(RGBQUAD) == 4, "RGBQUAD is 4 bytes");
