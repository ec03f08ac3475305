// A push button drawn entirely from three pictures (normal, hot, pressed) kept as "DIB"
// resources; a 300 ms timer notices the mouse leaving.
#pragma once

#include "afxwin.h"

class CDib;

class CDibPushButton : public CButton {
 public:
  CDibPushButton();
  ~CDibPushButton() override;

  // nKind 0 normal, 1 hot, 2 pressed; any other kind does nothing.
  void SetImage(int nKind, LPCTSTR lpszName, LPCTSTR lpszType);
  int GetMouseState() const { return m_nMouseState; }

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  void PreSubclassWindow() override;
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  void StartTracking();
  void SetMouseState(int nState, BOOL bRepaint);

  int m_nMouseState;  // 0 normal, 1 hot, 2 pressed
  CRect m_rectClient;
  CDib* m_pImages[3];
};
