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

// TRUE when the path, without one trailing backslash (not the second byte of a double-byte
// character), names an existing folder; FALSE for NULL or "".
BOOL DirectoryExists(LPCTSTR lpszPath);

// Index of the last byte ch that does not follow a Shift-JIS lead byte, looking back from the
// end to index 1; -1 when there is none (index 0 is never reported).
int ReverseFindCharMbcs(LPCTSTR lpszText, char ch);

// Releases the interface a variable holds and empties it; the count left, 0 when it was empty.
template <class I>
unsigned long ReleaseInterface(I*& pInterface) {
  if (pInterface == NULL) return 0;
  const unsigned long n = pInterface->Release();
  pInterface = NULL;
  return n;
}

#ifdef _WIN32
// A rectangle of the window as a tool of the tool-tip control; text -1 asks for the text
// with TTN_NEEDTEXT. The result of TTM_ADDTOOL.
LRESULT AddRectTool(CToolTipCtrl* pTip, CWnd* pWnd, int nText, const RECT* pRect, UINT nId);
#endif
