// How the picture-file page asks for a file. Until the picture-open dialog with previews joins
// the program, a plain open dialog asks; tests put their own answer in its place.
#pragma once

#include "afxwin.h"

// TRUE and the chosen path, or FALSE when the user cancelled.
typedef BOOL (*qvzAskPictureFileFn)(CWnd* pParent, LPCTSTR lpszFilter, CString* pPath);

BOOL qvzAskPictureFilePlain(CWnd* pParent, LPCTSTR lpszFilter, CString* pPath);
extern qvzAskPictureFileFn g_pfnAskPictureFile;
