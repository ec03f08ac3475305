// A static control drawn as a push button that can be shown pressed (bold and italic toggles).
#pragma once

#include "afxwin.h"

class CToggleStatic : public CStatic {
 public:
  CToggleStatic() : m_bPressed(0) {}

  // Stores the flag; repaints when the window exists.
  void SetPressed(int bPressed);
  int GetPressed() const { return m_bPressed; }

 protected:
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  void Draw(CDC* pDC);
  int m_bPressed;
};
