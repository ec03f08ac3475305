// The perspective palette: every bitmap of "パース図" (among them the extracted
// "パース図.bmp") as a picture object, placed on the page unscaled. Its run-time class
// names qvzDrawToolBar as base.
#pragma once

#include "qvzMadorizuToolBar.h"

class qvzPerszuToolBar : public qvzMadorizuToolBar {
  DECLARE_DYNCREATE(qvzPerszuToolBar)
 public:
  qvzPerszuToolBar();

  LPCTSTR FolderName() const override { return "パース図"; }
  void BeginDrag(jvqObject* pObject, int nCount) override;
  void LoadFolder(LPCTSTR lpszFolder) override;
  // A picture object of the bitmap at the picture's own size; FALSE when it cannot be read.
  static BOOL LoadPictureFile(LPCTSTR lpszPath, jvqObject** ppObject, jvqDocument* pDocument);
  // Lists the folder again (after an extraction wrote a new picture).
  void Reload();
};
