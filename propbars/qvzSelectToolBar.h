// The bar shown while nothing is selected with the select tool (and for symbols, floor
// plans and mixed selections holding a symbol): the page thumbnails, through which the
// current page changes, and the paper size with the board's property and client names.
#pragma once

#include "qvzDrawToolBar.h"

#define IDC_BAR_PAGE_PREVIEW 770
#define IDC_BAR_DOCUMENT_INFO 1176

class qvzSelectToolBar;

// The page preview view comes with the content library; until it is built the bar shows
// the placeholder frame. The hooks make the preview in the rectangle (control id 770) and
// lay it out again for its cell size and gaps.
struct qvzPagePreviewHooks {
  CWnd* (*pfnCreate)(qvzSelectToolBar* pBar, const RECT& rc, UINT nID);
  void (*pfnUpdate)(CWnd* pPreview, SIZE cell, int nHorzGap, int nVertGap, BOOL bRebuildThumbnails);
};
extern qvzPagePreviewHooks thePagePreviewHooks;

class qvzSelectToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzSelectToolBar)
 public:
  qvzSelectToolBar();

  void CreateControls() override;
  void Refresh() override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void ShowDocumentInfo(BOOL bKeepThumbnails);
  void RecalcLayout();
  void CalcCellSize(SIZE* pCell, int* pHorzGap, int* pVertGap);
  // The text the information static shows ("" without a board).
  CString GetDocumentInfoText();

  CWnd* m_pPagePreview;
  CWnd m_wndPlaceholder;
  CWnd m_wndInfo;

 protected:
  void UpdatePreview(BOOL bRebuildThumbnails);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};
