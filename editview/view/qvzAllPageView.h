// The page list: every page of the board as a 300 x 300 picture in rows that fill the
// window. A click chooses the current page, a drag reorders, the context menu goes back to
// the editing view or deletes the page. The board's order follows the items when the main
// frame returns to the editing view.
#pragma once

#include <vector>

#include "afxwin.h"
#include "qvzPageListLayout.h"
#include "qvzPageThumbnail.h"

class jvqBoard;
class jvqPage;

#ifndef IDM_PAGELIST_POPUP
#define IDM_PAGELIST_POPUP 1051
#endif

class qvzAllPageView : public CScrollView {
  DECLARE_DYNCREATE(qvzAllPageView)
 public:
  qvzAllPageView();
  ~qvzAllPageView() override;

  void OnInitialUpdate() override;
  void OnDraw(CDC* pDC) override;
  virtual void RecalcLayout();
  void RebuildItems();
  void FreeItems();

  int GetItemCount() const { return (int)m_items.size(); }
  int GetAliveCount() const;
  qvzPageThumbnail* GetAliveItem(int n) const;
  jvqPage* GetItemPage(int i) const;
  qvzPageThumbnail* GetItem(int i) const { return m_items[i]; }
  // The board, from the document unless the frame gave one.
  jvqBoard* GetBoard() const;
  // Where the frame's last popup would go; tests read it instead of tracking a menu.
  BOOL m_bNoPopup;
  int m_nPopupShown;

  std::vector<qvzPageThumbnail*> m_items;
  CClientDC* m_pEditViewDC;
  jvqBoard* m_pBoard;
  qvzPageListLayout m_layout;

 protected:
  POINT ToLogical(CPoint point);
  // Position among the alive items of item i (-1 when not alive).
  int AlivePos(int i) const;
  BOOL HitItem(int i, POINT pt, int nSelectedAlive) const;
  int LastSelected() const;
  void DrawInsertMark(CDC* pDC, int nTarget, int nSource, COLORREF cr);

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};
