// The start menu's window: a borderless dialog painted from pictures of the program's
// resources, with picture buttons and dragged by its background.
#pragma once

#include <vector>

#include "afxwin.h"

class CDib;
class CSkinDialog;

class CSkinButtonArea {
 public:
  CSkinButtonArea(CSkinDialog* pOwner, const RECT& rc, int nCommand);
  virtual ~CSkinButtonArea();
  virtual void OnLButtonDown(POINT pt);
  virtual void OnLButtonUp(POINT pt);
  virtual void OnMouseMove(POINT pt);

  enum { STATE_HOT = 0, STATE_NORMAL = 1, STATE_PRESSED = 2 };
  void Draw(CDC* pDC);
  void SetState(int nState);
  BOOL Contains(POINT pt) const { return ::PtInRect(&m_rc, pt); }

  CDib* m_pNormal;
  CDib* m_pHot;
  CDib* m_pPressed;
  CSkinDialog* m_pOwner;
  RECT m_rc;
  int m_nCommand;
  int m_nState;
};

class CSkinDialog : public CDialog {
 public:
  CSkinDialog(UINT nIDTemplate, CWnd* pParent);
  ~CSkinDialog() override;

  BOOL SetBackground(LPCTSTR lpszName, LPCTSTR lpszType);
  BOOL AddButton(const RECT* pRect, int nCommand, LPCTSTR lpszNormal, LPCTSTR lpszHot, LPCTSTR lpszPressed,
                 LPCTSTR lpszType);
  int GetChosenCommand() const { return m_nChosen; }
  // The window's size: the background's, or 480 x 415 without one so that the menu is
  // never an invisible modal window.
  SIZE GetSkinSize() const;

  int m_nChosen;
  CDib* m_pBackground;
  BOOL m_bDragging;
  POINT m_ptDrag;
  CWnd* m_pParent;
  std::vector<CSkinButtonArea*> m_Areas;

 protected:
  BOOL OnInitDialog() override;
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  afx_msg void OnLButtonDown(UINT nFlags, CPoint pt);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint pt);
  afx_msg void OnMouseMove(UINT nFlags, CPoint pt);
  DECLARE_MESSAGE_MAP()
};
