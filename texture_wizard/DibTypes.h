// Win32 bitmap types for the image classes: Windows has them, and the framework's native
// types header gives them with the Win32 layouts.
#pragma once

#include <afx.h>

static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER must be 40 bytes");
static_assert(sizeof(RGBQUAD) == 4, "RGBQUAD must be 4 bytes");
