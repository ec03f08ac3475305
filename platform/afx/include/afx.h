// The framework's core: objects and run-time classes, strings, files, archives, exceptions,
// time, points and rectangles. Windows programs get <windows.h> with it.
#pragma once

#ifdef _WIN32
#ifndef STRICT
#define STRICT
#endif
#include <windows.h>
// Names such as GetFileTitle are macros of these headers; every file must see the same ones.
#include <commdlg.h>
#endif

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>

#include "afxtypes.h"
#include "afxmbs.h"
#include "afxobj.h"
#include "afxexcept.h"
#include "afxstr.h"
#include "afxtime.h"
#include "afxfile.h"
#include "afxarch.h"
#include "afxgeom.h"
#include "afxmodule.h"

// Iteration position in the collections.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)
