// The owner-drawn font-name combo box: each face with an icon that tells TrueType from
// printer-only fonts, and a tip that shows the highlighted face in its own font.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"

#include <vector>

#include "CComboTipWnd.h"

struct jvqFontEntry;

class CImageComboBox : public CComboBox {
 public:
  CImageComboBox();
  ~CImageComboBox() override;

  // Creates the tip, lists the faces of the attached font list and starts the tip timer.
  void Initialize();
  // TRUE and a copy of the entry when the face is in the attached (sorted) font list.
  BOOL FindFont(const char* pszFace, jvqFontEntry* pEntry) const;

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;

  // The owner's font list, sorted by face name byte by byte; set before Initialize.
  std::vector<jvqFontEntry*>* m_pFontList;
  CComboTipWnd m_wndTip;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg BOOL OnCloseUp();
  DECLARE_MESSAGE_MAP()

 private:
  CImageList m_imageList;
};
