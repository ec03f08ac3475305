// The main frame's bitmap tool bars: the platform tool bar keeps only the slots; every
// button is a CDibToolBarButton child window, and a slot may carry a combo box instead.
#pragma once

#include "afxext.h"

#include "CDibToolBarButton.h"

// One button as the frame describes it.
struct DibButtonRow {
  int nID;         // slot command id, also the button's control id
  int nStyle;      // DIBBS_DROPDOWN: a drop-down part right of the picture
  int nWidth;      // without the drop-down part
  int nNormal;     // bitmap ids
  int nHot;
  int nDisabled;
};

#define DIBBS_DROPDOWN 0x0008

class CDibToolBar : public CToolBar {
  DECLARE_DYNCREATE(CDibToolBar)
 public:
  CDibToolBar();
  ~CDibToolBar() override;

  using CToolBar::SetButtons;
  // Once, after the tool-bar resource is loaded: one button per row, all nHeight tall.
  void SetButtons(int nCount, const DibButtonRow* pRows, int nHeight);
  int AddButton(UINT nID, CDibToolBarButton* pButton, UINT nStyle, int nWidth, int nHeight, UINT nNormal,
                UINT nHot, UINT nDisabled);
  // A caller-owned combo box on the slot of nID.
  int AddComboBox(DWORD dwStyle, CComboBox* pCombo, UINT nID, int nWidth, int nDropHeight);
  void RepositionButtons(int nIndex);

  virtual void SetButtonState(UINT nID, int nState);
  virtual void OnDropDown(CDibToolBarButton* pButton, CPoint point);

  int GetButtonState(UINT nID);
  int SetButtonBitmaps(UINT nID, HBITMAP hNormal, HBITMAP hHot, HBITMAP hDisabled);
  int GetButtonCount() const { return m_nButtons; }
  CDibToolBarButton* GetButton(int i) const { return (i >= 0 && i < m_nButtons) ? &m_pButtons[i] : NULL; }

 protected:
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  CDibToolBarButton* FindChildButton(UINT nID) const;

  CDibToolBarButton* m_pButtons;
  int m_nButtons;
};
