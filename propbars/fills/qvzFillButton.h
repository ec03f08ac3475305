// The fill button: a combo-like button whose face shows the current fill; a click opens the
// fill pop-up under it and, after OK, the button keeps a copy of the pick and tells its parent.
#pragma once

#include "afxwin.h"

class jvqFill;
class qvzFillPopupDlg;

// Fill button to its parent, after OK in the pop-up: wParam the button's control id.
#define QVZM_FILLCHANGED (WM_USER + 5)

class qvzFillButton : public CButton {
  DECLARE_DYNAMIC(qvzFillButton)
 public:
  qvzFillButton();
  virtual ~qvzFillButton();

  // Keeps a clone of the fill; NULL makes the button transparent.
  virtual void SetFill(const jvqFill* pFill);
  // The held fill, still the button's own; NULL for transparent.
  virtual jvqFill* GetFill();
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void PreSubclassWindow();

  BOOL IsPopupOpen() const { return m_pPopup != NULL; }
  qvzFillPopupDlg* GetPopup() const { return m_pPopup; }
  const RECT& GetArrowRect() const { return m_rcArrow; }

 protected:
  // The pop-up that a click runs: template 280 here, the picture variant in the subclass.
  virtual qvzFillPopupDlg* MakePopup();
  // Paints the sample of the fill into rcSample.
  virtual void DrawSample(CDC* pDC, const RECT& rcSample, BOOL bDisabled);
  void SizeToArrow();

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

  qvzFillPopupDlg* m_pPopup;
  jvqFill* m_pFill;
  RECT m_rcArrow;
};

// The fill button of the page background: its pop-up has the picture-file tab, and its fill
// shows also while it is disabled.
class qvzImageFillButton : public qvzFillButton {
  DECLARE_DYNAMIC(qvzImageFillButton)
 public:
  qvzImageFillButton() {}

 protected:
  virtual qvzFillPopupDlg* MakePopup();
  virtual void DrawSample(CDC* pDC, const RECT& rcSample, BOOL bDisabled);
};
