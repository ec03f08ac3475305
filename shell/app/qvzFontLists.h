// Which enumerated fonts the two font lists of the application keep: the title bar's
// TrueType list and the all-font list of the text bars.
#pragma once

#include "afx.h"

// TrueType (type bit 4), not "System", no "連綿" in the face, and found on the screen.
BOOL BelongsInTrueTypeList(LPCTSTR lpszFace, int nFontType, int nSource);
// Every face but "System".
BOOL BelongsInAllFontList(LPCTSTR lpszFace);
