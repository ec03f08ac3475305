// What the board kinds share (the sample templates and the sample boards): the program's own
// document made ready to write, and shapes and texts put on a page with the defaults a user's
// drawing gets.
#pragma once

#include "afxwin.h"

class jvqPage;

// The application object, OLE and the tool prototypes the document needs; FALSE when they
// cannot be had. Once a run.
BOOL PrepareBoardWriting();

void AddFrame(jvqPage* pPage, const RECT& rc, COLORREF crLine);
void AddFilledRect(jvqPage* pPage, const RECT& rc, COLORREF crFill);
void AddLine(jvqPage* pPage, POINT a, POINT b, COLORREF crLine);
void AddText(jvqPage* pPage, const RECT& rc, LPCTSTR lpszText, int nHeight);
