// A small top-most window with a text, a progress bar and a (hidden) Cancel button, shown
// while the program works; its place is kept in "qvz.ini" [Settings] X and Y.
#pragma once

#include "afxcmn.h"
#include "afxwin.h"

class CProgressWnd : public CWnd {
 public:
  CProgressWnd(CWnd* pParent, LPCTSTR lpszTitle, BOOL bSmooth = FALSE);
  ~CProgressWnd() override;

  void SetRange(int nLower, int nUpper, int nStep = 1);
  void SetText(LPCTSTR fmt, ...);
  int SetPos(int nPos);
  int StepIt();
  void Show();
  void Hide();
  void PeekAndPump(BOOL bCancelOnEscape = TRUE);
  void Cancel();
  BOOL DestroyWindow() override;
  void RestorePosition();
  void SavePosition();

  CWnd* m_pDisabledWnd;
  BOOL m_bCancelled;
  BOOL m_bModal;
  BOOL m_bKeepPosition;
  int m_nPos;
  int m_nPercent;
  int m_nStep;
  int m_nUpper;
  int m_nLower;
  int m_nTextLines;
  CStatic m_wndText;
  CProgressCtrl m_wndProgress;
  CButton m_wndCancel;
  CString m_strTitle;
  CString m_strCancel;
  CFont m_font;

 protected:
  BOOL Create(CWnd* pParent, LPCTSTR lpszTitle, BOOL bSmooth);
  void Layout();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnCancel();
  DECLARE_MESSAGE_MAP()
};

// Where a window of this size goes: the stored place, or centred on the owner's rectangle
// when a stored coordinate is negative or not on the screen.
POINT ChooseProgressPosition(int nStoredX, int nStoredY, SIZE size, SIZE screen, const RECT& rcOwner);
