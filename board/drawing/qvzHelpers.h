// Small helpers of the application shell that the editing view, the rulers and the shell
// share.
#pragma once

#include <vector>

#include "afx.h"

class CToolTipCtrl;
class CWnd;

// Deletes every element with plain operator delete, so no destructor runs; empties the
// vector, keeping its storage. Returns 1.
template <class T>
int FreePtrVector(std::vector<T*>& v) {
  for (T* p : v) ::operator delete((void*)p);
  v.clear();
  return 1;
}

// An angle in whole degrees turned into the opposite sense, within 0 to 359.
int NormalizeAngle(int nAngle);

#ifdef _WIN32
// A rectangle of the window as a tool of the tool-tip control; text -1 asks for the text
// with TTN_NEEDTEXT. The result of TTM_ADDTOOL.
LRESULT AddRectTool(CToolTipCtrl* pTip, CWnd* pWnd, int nText, const RECT* pRect, UINT nId);
// TRUE when the path, without a trailing backslash, names an existing folder.
BOOL DirectoryExists(LPCTSTR lpszPath);
#endif
