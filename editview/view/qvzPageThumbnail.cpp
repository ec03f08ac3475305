#include "qvzPageThumbnail.h"

#include "Dib.h"
#include "jvqGeometry.h"
#include "jvqObjectCodes.h"
#include "jvqPage.h"
#include "jvqViewMapping.h"

qvzPageThumbnail::qvzPageThumbnail() : m_pPage(NULL), m_nIndex(0), m_pDib(NULL), m_rcItem{0, 0, 0, 0} {}

qvzPageThumbnail::~qvzPageThumbnail() { delete m_pDib; }

BOOL qvzPageThumbnail::IsAlive() const { return m_pPage && (m_pPage->GetState() & JVQ_STATE_ALIVE); }

BOOL qvzPageThumbnail::IsSelected() const {
  return m_pPage && (m_pPage->GetState() & (JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE)) ==
                        (JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE);
}

void qvzPageThumbnail::SetSelected(BOOL bSelected) {
  if (m_pPage == NULL) return;
  if (bSelected)
    m_pPage->m_dwState |= JVQ_STATE_VISIBLE;
  else
    m_pPage->m_dwState &= ~JVQ_STATE_VISIBLE;
}

BOOL qvzPageThumbnail::Render(CScrollView* pView, jvqPage* pPage, int w, int h, int nIndex) {
  if (pView == NULL || pPage == NULL || w <= 0 || h <= 0 || nIndex == -1) return FALSE;
  m_pPage = pPage;
  m_nIndex = nIndex;
  delete m_pDib;
  m_pDib = new CDib;

  CDC display;
  display.Attach(::CreateDC("DISPLAY", NULL, NULL, NULL));
  CDC mem;
  mem.CreateCompatibleDC(&display);
  CBitmap bmp;
  bmp.CreateCompatibleBitmap(&display, w, h);
  CBitmap* pOld = mem.SelectObject(&bmp);
  mem.FillSolidRect(0, 0, w, h, ::GetSysColor(COLOR_BTNFACE));

  RECT contents;
  pPage->GetContentsRect(&contents);
  const int cw = contents.right - contents.left, ch = contents.bottom - contents.top;
  jvqViewMapping mapping;
  mapping.m_nClientWidth = w;
  mapping.m_nClientHeight = h;
  mapping.m_nPageWidth = cw;
  mapping.m_nPageHeight = ch;
  mapping.m_nMinMarginX = mapping.m_nMinMarginY = 20;
  SIZE px = {cw * 10, ch * 10};
  display.HIMETRICtoDP(&px);
  RECT fit = {0, 0, px.cx, px.cy}, target = {0, 0, w, h};
  int zoom = 1;
  if (px.cx > 0 && px.cy > 0) {
    FitRectToAspect(&fit, &target);
    zoom = std::max(1, ::MulDiv(100, fit.right - fit.left, px.cx));
  }
  mapping.m_dZoom = 0.9 * zoom;
  mapping.m_bFitToWindow = TRUE;

  const DWORD dwOld = pPage->m_dwState;
  jvqViewMapping* pOldOwner = pPage->GetView();
  pPage->m_dwState |= JVQ_STATE_VISIBLE | JVQ_STATE_FILLED;
  SetOwnerRecursive(pPage, &mapping);
  const int nSaved = mem.SaveDC();
  mapping.PrepareDC(&mem);
  pPage->Render(&mem);
  mem.RestoreDC(nSaved);
  SetOwnerRecursive(pPage, pOldOwner);
  pPage->m_dwState = dwOld;

  mem.SelectObject(pOld);
  m_pDib->CreateFromBitmap((HBITMAP)bmp.m_hObject);
  return TRUE;
}

void qvzPageThumbnail::Draw(CDC* pDC) {
  if (!IsAlive() || m_pDib == NULL) return;
  if (m_rcItem.right <= m_rcItem.left || m_rcItem.bottom <= m_rcItem.top) return;  // never placed
  pDC->FillSolidRect(&m_rcItem, ::GetSysColor(COLOR_BTNFACE));
  CRect rc(m_rcItem);
  m_pDib->Draw(pDC, rc);
  if (IsSelected()) pDC->Draw3dRect(&m_rcItem, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}
