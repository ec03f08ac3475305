// The borderless tip beside the font combo box that shows a face name in its own font.
#pragma once

#include "afxwin.h"

struct jvqFontEntry;

class CComboTipWnd : public CWnd {
 public:
  CComboTipWnd();
  ~CComboTipWnd() override;

  // An ownerless pop-up at 0, 0 with no size, hidden.
  BOOL Create(CWnd* pCombo);
  // Shows the face of entry with its top at y, ending 10 pixels left of the combo box;
  // nothing happens when the same face at the same place is already showing.
  void ShowSample(int x, int y, const jvqFontEntry& entry);
  // nSize in tenths of a point.
  void SetSampleFont(int nSize, const jvqFontEntry& entry);

  const CString& GetFaceName() const { return m_strFace; }
  CFont* GetSampleFont() { return &m_font; }

 protected:
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  CSize MeasureFace();

  CFont m_font;
  CString m_strFace;
  CPoint m_ptLast;
  CWnd* m_pCombo;
};
