// One button of a bitmap tool bar: a child window drawn from a normal, a hot and a disabled
// bitmap, with an optional drop-down part 12 pixels wide on its right.
#pragma once

#include "afxwin.h"

class CDibToolBarButton : public CButton {
  DECLARE_DYNAMIC(CDibToolBarButton)
 public:
  CDibToolBarButton();
  ~CDibToolBarButton() override;

  // Loads each bitmap resource whose slot is still empty.
  void LoadBitmaps(UINT nNormal, UINT nHot, UINT nDisabled);
  // Takes the three handles (one handle may fill several slots) and deletes the old ones.
  void SetBitmaps(HBITMAP hNormal, HBITMAP hHot, HBITMAP hDisabled);
  int GetCheck() const { return m_nCheck; }
  void SetCheck(int nCheck);
  void SetDropDown(int bDropDown) { m_bDropDown = bDropDown; }
  int GetDropDown() const { return m_bDropDown; }
  int GetMouseState() const { return m_nMouseState; }

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

  // Where the picture is drawn inside the button (3, 3 unless changed).
  int m_nImageX;
  int m_nImageY;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  void DeleteBitmaps(HBITMAP hKeep1, HBITMAP hKeep2, HBITMAP hKeep3);

  int m_bDropDown;
  CRect m_rectClient;
  int m_nMouseState;  // 0 normal, 1 hot, 2 pressed
  HBITMAP m_hBitmaps[3];  // normal, hot, disabled
  int m_nCheck;
};
