// An owner-drawn pop-up menu whose items show a picture from a strip beside their text.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"

#include <vector>

// One item; the menu owns it once appended.
struct ImageMenuItem {
  char szText[256];  // Shift-JIS, NUL-terminated
  int nImage;        // index into the menu's picture strip
};

class CImageMenu : public CMenu {
 public:
  CImageMenu();
  ~CImageMenu() override;

  void AppendItem(UINT nID, ImageMenuItem* pItem);
  // The strip of nCount pictures side by side; its 192-grey shows as the button face.
  BOOL LoadImages(UINT nIDBitmap, int nCount);

  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

  int m_cxImage;
  int m_cyImage;
  int m_cxText;  // widest item text
  int m_cyText;  // tallest item text

 private:
  CBitmap m_bmpStrip;
  CImageList m_imageList;
  std::vector<ImageMenuItem*> m_items;
  HFONT m_hFont;
};
