// The framework's private messages and helpers, for code that works with its internals
// (WM_IDLEUPDATECMDUI, WM_SIZEPARENT, WM_SETMESSAGESTRING, ...). They are declared with
// the window layer.
#pragma once

#include "afxwin.h"
