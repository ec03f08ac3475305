// The program folder's boards, written by the program's own document: the sample templates of
// the template sheet and the sample boards of the start menu's sample button.
#pragma once

#include "afxwin.h"

class jvqPage;

// One template per standard sheet, into "ひな型\サンプル\横" and "\縦" by its orientation.
BOOL WriteSampleTemplates(const CString& strProgramFolder);
// The two boards of "サンプル".
BOOL WriteSampleBoards(const CString& strProgramFolder);

// Shapes and texts put on a page, with the defaults a user's drawing gets.
void AddFrame(jvqPage* pPage, const RECT& rc, COLORREF crLine);
void AddFilledRect(jvqPage* pPage, const RECT& rc, COLORREF crFill);
void AddLine(jvqPage* pPage, POINT a, POINT b, COLORREF crLine);
void AddText(jvqPage* pPage, const RECT& rc, LPCTSTR lpszText, int nHeight);
