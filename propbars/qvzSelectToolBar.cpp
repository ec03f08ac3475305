#include "qvzSelectToolBar.h"

#include "PropertyBarRules.h"
#include "jvqBoard.h"
#include "jvqDocument.h"
#include "jvqDrawingResources.h"
#include "jvqFileHeader.h"
#include "jvqPage.h"
#include "jvqView.h"
#include "qvzDocument.h"
#include "qvzPropertyBarManager.h"

IMPLEMENT_DYNCREATE(qvzSelectToolBar, qvzDrawToolBar)

BEGIN_MESSAGE_MAP(qvzSelectToolBar, qvzDrawToolBar)
  ON_WM_SIZE()
END_MESSAGE_MAP()

qvzPagePreviewHooks thePagePreviewHooks = {NULL, NULL};

qvzSelectToolBar::qvzSelectToolBar()
    : qvzDrawToolBar("オブジェクトが選択されていません。", "オブジェクトが選択されていません。", 0), m_pPagePreview(NULL) {}

static CFrameWnd* MainFrame() { return g_pPropertyBarManager ? g_pPropertyBarManager->m_pFrame : NULL; }

void qvzSelectToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  qvzDrawToolBar::CreateControls();
  CFrameWnd* frame = MainFrame();
  if (frame && frame->m_hWnd) {
    CRect bar, client;
    GetWindowRect(bar);
    frame->ScreenToClient(bar);
    frame->GetClientRect(client);
    bar.bottom = client.bottom - 20;
    if (bar.bottom > bar.top) {
      // Measured in the frame; moved in the parent, a dock bar when docked.
      frame->ClientToScreen(bar);
      if (CWnd* parent = GetParent()) parent->ScreenToClient(bar);
      MoveWindow(bar, TRUE);
    }
  }
  BindControl(m_wndPlaceholder, IDC_BAR_PAGE_PREVIEW);
  BindControl(m_wndInfo, IDC_BAR_DOCUMENT_INFO);
  if (m_wndPlaceholder.m_hWnd && thePagePreviewHooks.pfnCreate) {
    CRect rc, client;
    m_wndPlaceholder.GetWindowRect(rc);
    ScreenToClient(rc);
    GetClientRect(client);
    rc.bottom = client.bottom - 10;
    m_pPagePreview = thePagePreviewHooks.pfnCreate(this, rc, IDC_BAR_PAGE_PREVIEW);
    if (m_pPagePreview) {
      m_wndPlaceholder.ShowWindow(SW_HIDE);
      UpdatePreview(FALSE);
    }
  }
  if (frame && frame->m_hWnd) frame->RecalcLayout();
  if (m_pPagePreview && m_pPagePreview->m_hWnd) m_pPagePreview->SetFocus();
}

void qvzSelectToolBar::CalcCellSize(SIZE* pCell, int* pHorzGap, int* pVertGap) {
  CDC dc;
  dc.CreateDC("DISPLAY", NULL, NULL, NULL);
  SIZE text = {0, 0};
  GetMultiLineTextExtent(&text, &dc, "あいうえおｑ", &theDefaultGuiFont);
  pCell->cx = pCell->cy = text.cy + 62;
  CRect rc(0, 0, 0, 0);
  if (m_pPagePreview && m_pPagePreview->m_hWnd) m_pPagePreview->GetClientRect(rc);
  *pHorzGap = (rc.Width() - pCell->cx - 2) / 2;
  *pVertGap = 2;
}

void qvzSelectToolBar::UpdatePreview(BOOL bRebuildThumbnails) {
  if (m_pPagePreview == NULL || m_pPagePreview->m_hWnd == NULL || thePagePreviewHooks.pfnUpdate == NULL) return;
  SIZE cell;
  int hgap, vgap;
  CalcCellSize(&cell, &hgap, &vgap);
  thePagePreviewHooks.pfnUpdate(m_pPagePreview, cell, hgap, vgap, bRebuildThumbnails);
}

void qvzSelectToolBar::Refresh() {
  qvzDrawToolBar::Refresh();
  jvqView* view = GetView();
  qvzDocument* doc = view ? DYNAMIC_DOWNCAST(qvzDocument, (CObject*)view->GetDocument()) : NULL;
  if (doc == NULL) return;
  doc->UpdatePageThumbnails();
  RecalcLayout();
  UpdatePreview(FALSE);
}

CString qvzSelectToolBar::GetDocumentInfoText() {
  jvqView* view = GetView();
  jvqDocument* doc = view ? view->GetDocument() : NULL;
  if (doc == NULL || doc->GetHeader() == NULL || doc->GetBoard() == NULL) return "";
  jvqPage* page = doc->GetBoard()->GetCurrentPage();
  if (page == NULL) return "";
  RECT rc;
  page->GetBoundRect(&rc);
  jvqFileHeader* h = doc->GetHeader();
  LPCTSTR property = h->GetProperty("物件名");
  LPCTSTR client = h->GetProperty("施主名");
  return DocumentInfoText(rc.right - rc.left, rc.bottom - rc.top, property ? property : "", client ? client : "");
}

void qvzSelectToolBar::ShowDocumentInfo(BOOL bKeepThumbnails) {
  const CString text = GetDocumentInfoText();
  if (text.IsEmpty()) return;
  if (m_wndInfo.m_hWnd) m_wndInfo.SetWindowText(text);
  if (!bKeepThumbnails) {
    jvqView* view = GetView();
    if (qvzDocument* doc = view ? DYNAMIC_DOWNCAST(qvzDocument, (CObject*)view->GetDocument()) : NULL)
      doc->UpdatePageThumbnails();
  }
  UpdatePreview(!bKeepThumbnails);
}

void qvzSelectToolBar::RecalcLayout() {
  if (m_wndInfo.m_hWnd == NULL) return;
  CRect client, info;
  GetClientRect(client);
  m_wndInfo.GetWindowRect(info);
  ScreenToClient(info);
  CRect want = info;
  want.OffsetRect(0, client.bottom - 20 - info.bottom);
  if (want != info) m_wndInfo.MoveWindow(want, TRUE);
  CWnd* preview = m_pPagePreview && m_pPagePreview->m_hWnd ? m_pPagePreview : NULL;
  CRect prev, prevWant;
  if (preview) {
    preview->GetWindowRect(prev);
    ScreenToClient(prev);
    prevWant = prev;
    prevWant.bottom = want.top - 20;
  }
  ShowDocumentInfo(TRUE);
  if (preview && prevWant != prev) preview->MoveWindow(prevWant, TRUE);
}

void qvzSelectToolBar::OnSize(UINT nType, int cx, int cy) {
  Default();
  RecalcLayout();
}

CSize qvzSelectToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = qvzDrawToolBar::CalcFixedLayout(bStretch, bHorz);
  if (IsFloating() || m_wndInfo.m_hWnd == NULL) {
    RecalcLayout();
    return size;
  }
  CFrameWnd* frame = MainFrame();
  if (frame && frame->m_hWnd) {
    CRect client, bar;
    frame->GetClientRect(client);
    GetWindowRect(bar);
    frame->ScreenToClient(bar);
    CRect barClient;
    GetClientRect(barClient);
    ClientToScreen(barClient);
    frame->ScreenToClient(barClient);
    if (client.bottom - 20 - barClient.top > 0) size.cy = client.bottom - 20 - barClient.top;
  }
  RecalcLayout();
  return size;
}
