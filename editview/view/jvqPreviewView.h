// Print preview: the framework's preview whose zoom commands repaint at once, and the
// conversion of a printer rectangle into a clip region on the preview's screen.
#pragma once

#include "afxext.h"
#include "afxwin.h"

class jvqPreviewView : public CPreviewView {
  DECLARE_DYNCREATE(jvqPreviewView)
 public:
  static BOOL PrinterRectToRegion(CPreviewDC* pDC, CRgn* pOut, const RECT* pRect, BOOL bLogical);

 protected:
  void OnDraw(CDC* pDC) override;
  afx_msg void OnZoomIn();
  afx_msg void OnZoomOut();
  DECLARE_MESSAGE_MAP()
};
