// The editing view's side of printing and print preview: one board page per printed page,
// at 0.1 mm per logical unit on paper, the page's corner at the print offset.
#include "afxext.h"
#include "jvqBoard.h"
#include "jvqFrameWnd.h"
#include "jvqPage.h"
#include "jvqPreviewView.h"
#include "jvqPrinter.h"
#include "jvqView.h"

namespace {
// Where the printable area lies on a page, in the page's logical units (0.1 mm).
BOOL PrintableArea(RECT* pOut) {
  POINT off;
  SIZE size;
  if (thePrinter.GetDC() == NULL) return FALSE;
  thePrinter.GetPrintOffset(&off);
  thePrinter.GetPrintableSize(&size);
  if (size.cx <= 0 || size.cy <= 0) return FALSE;
  pOut->left = off.x;
  pOut->top = off.y;
  pOut->right = off.x + size.cx;
  pOut->bottom = off.y + size.cy;
  return TRUE;
}

BOOL PreviewClip(CDC* pDC, CRgn* pOut, const RECT* pRect) {
  if (!pDC->IsKindOf(RUNTIME_CLASS(CPreviewDC))) return FALSE;
  return jvqPreviewView::PrinterRectToRegion((CPreviewDC*)pDC, pOut, pRect, TRUE);
}
}  // namespace

void jvqView::SetPrintHooks() {
  jvqPage::s_pfnPrintableArea = PrintableArea;
  jvqPage::s_pfnPreviewClip = PreviewClip;
}

BOOL jvqView::PreparePrintingDC(CDC* pDC) {
  const int px = jvqPrinter::PixelsPerCM(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(HORZSIZE));
  const int py = jvqPrinter::PixelsPerCM(pDC->GetDeviceCaps(VERTRES), pDC->GetDeviceCaps(VERTSIZE));
  POINT off;
  const BOOL bOffset = thePrinter.GetPrintOffset(&off) || thePrinter.GetDC() == NULL;
  // A printer that reports no size cannot be printed to at true size.
  if (px <= 0 || py <= 0 || !bOffset) return FALSE;
  pDC->SetMapMode(MM_ANISOTROPIC);
  pDC->SetWindowExt(100, 100);
  pDC->SetViewportExt(px, py);
  pDC->SetWindowOrg(off.x - m_ptPrintOffset.x, off.y - m_ptPrintOffset.y);
  return TRUE;
}

BOOL jvqView::OnPreparePrinting(CPrintInfo* pInfo) {
  jvqFrameWnd* f = GetFrame();
  if (pInfo->m_bPreview && f) {
    f->ShowControlBar(&f->m_wndHorzRuler, FALSE, FALSE);
    f->ShowControlBar(&f->m_wndVertRuler, FALSE, FALSE);
  }
  jvqBoard* b = GetBoard();
  pInfo->SetMinPage(1);
  pInfo->SetMaxPage(b ? b->GetPageCount() : 1);
  return DoPreparePrinting(pInfo);
}

void jvqView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {
  m_nSavedPage = 0;
  jvqBoard* b = GetBoard();
  if (b) {
    jvqPage* cur = b->GetCurrentPage();
    for (int i = 0; i < b->GetPageCount(); i++)
      if (b->GetPage(i) == cur) m_nSavedPage = i;
  }
  m_bPrintFailed = FALSE;
  CView::OnBeginPrinting(pDC, pInfo);
}

void jvqView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  jvqBoard* b = GetBoard();
  if (b) b->SetCurrentPage(pInfo->m_nCurPage - 1);
  const BOOL bPreview = pDC->IsKindOf(RUNTIME_CLASS(CPreviewDC));
  HCURSOR hOld = NULL;
  if (!bPreview) {
    hOld = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
    LockWindowUpdate();
  }
  OnDraw(pDC);
  if (!bPreview) {
    ::LockWindowUpdate(NULL);
    ::SetCursor(hOld);
  }
}

void jvqView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) {
  jvqBoard* b = GetBoard();
  if (b) b->SetCurrentPage(m_nSavedPage);
  if (m_bPrintFailed && !pInfo->m_bPreview) AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
  m_bPrintFailed = FALSE;
}

void jvqView::DoFilePrintPreview() {
  CPrintPreviewState* pState = new CPrintPreviewState;
  if (!DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, this, RUNTIME_CLASS(jvqPreviewView), pState)) {
    AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
    delete pState;
  }
}
