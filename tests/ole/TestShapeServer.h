// The test server's class and its commands, shared with the tests that drive it.
#pragma once

#include <windows.h>

// {8E2D4B61-1C7A-4F3E-B5D9-6A0C2E7F9132}
static const CLSID CLSID_TestShape = {0x8e2d4b61, 0x1c7a, 0x4f3e, {0xb5, 0xd9, 0x6a, 0x0c, 0x2e, 0x7f, 0x91, 0x32}};
#define TESTSHAPE_PROGID "QVZ.TestShape.1"
#define TESTSHAPE_TYPE "テスト図形"
#define TESTSHAPE_EXTENSION ".qvzshape"

// Posted by a test to the open window (its title is the type name): wParam a COLORREF; the
// extent in HIMETRIC (wParam, lParam); save through the container; close saving changes.
#define TESTSHAPE_SETCOLOR (WM_APP + 1)
#define TESTSHAPE_SETEXTENT (WM_APP + 2)
#define TESTSHAPE_SAVE (WM_APP + 3)
#define TESTSHAPE_CLOSE (WM_APP + 4)
// Posted to the window active in place (a child of the container's view, of this class):
// move it by (wParam, lParam) pixels and tell the container the new place.
#define TESTSHAPE_MOVEINPLACE (WM_APP + 5)
#define TESTSHAPE_WINDOW_CLASS "QvzTestShapeWindow"
