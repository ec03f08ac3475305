// The base of every fill page: its own fill, the tab control that made it, and the two calls
// through which the tab control shows a fill on it and (re)builds its controls.
#pragma once

#include "afxwin.h"

class jvqFill;
class qvzFillTabCtrl;

class qvzFillChildWnd : public CWnd {
 public:
  qvzFillChildWnd();
  virtual ~qvzFillChildWnd();

  // A child window of no class of its own, given the shared dialog font.
  BOOL Create(DWORD dwStyle, const RECT& rect, qvzFillTabCtrl* pOwner, UINT nID);
  // Shows this fill (NULL for transparent); a page ignores fills of other kinds.
  virtual void SetFill(const jvqFill* pFill) {}
  // Creates the page's controls when they do not exist yet.
  virtual void CreateControls() {}

  qvzFillTabCtrl* GetOwnerTab() const { return m_pOwner; }
  jvqFill* GetPageFill() const { return m_pFill; }

 protected:
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

  jvqFill* m_pFill;  // owned
  qvzFillTabCtrl* m_pOwner;
};

// The font of every fill page's text and controls.
HFONT FillPageFont();
