// One item of the page list: a page rendered once into a picture, and where the list put it.
#pragma once

#include "afxwin.h"

class CDib;
class CScrollView;
class jvqPage;

class qvzPageThumbnail {
 public:
  qvzPageThumbnail();
  virtual ~qvzPageThumbnail();

  // Renders the page at a zoom that fits its contents into w x h; FALSE (nothing changed)
  // for a missing view or page, an empty size or index -1.
  BOOL Render(CScrollView* pView, jvqPage* pPage, int nWidth, int nHeight, int nIndex);
  void Draw(CDC* pDC);
  // Page bits 1 and 0x100: shown and alive.
  BOOL IsSelected() const;
  void SetSelected(BOOL bSelected);
  BOOL IsAlive() const;
  void SetRect(const RECT* pRect) { m_rcItem = *pRect; }
  const RECT& GetRect() const { return m_rcItem; }

  jvqPage* m_pPage;
  CString m_strLabel;
  int m_nIndex;
  CDib* m_pDib;
  RECT m_rcItem;  // empty until a layout places the item
};
