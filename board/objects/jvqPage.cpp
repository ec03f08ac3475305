#include "jvqPage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "jvqBoard.h"
#include "jvqDeviceUnits.h"
#include "jvqFill.h"
#include "jvqHandleObject.h"
#include "jvqImageFill.h"
#include "jvqImageObject.h"
#include "jvqViewMapping.h"

#ifdef JVQ_HAVE_GDI
#include "BaseImage.h"
#include "afxwin.h"
#endif

int PictureDisplayMode = 0;

jvqPage::jvqPage() : jvqGroupObject(), m_bDrawFrame(1) {
  m_nClassCode |= 8;
  SetFill(NULL);
}

jvqPage::jvqPage(const RECT* pRect, jvqViewMapping* pView) : jvqGroupObject(pRect, pView, 0x101), m_bDrawFrame(1) {
  m_nClassCode |= 8;
}

jvqPage::jvqPage(const jvqPage& src) : jvqGroupObject(), m_bDrawFrame(src.m_bDrawFrame) {
  // The object part is copied as is; a page's geometry never follows its children.
  m_dwState = src.m_dwState;
  m_LineStyle = src.m_LineStyle;
  SetFill(src.m_pFill ? src.m_pFill->Clone() : NULL);
  m_GeometryData = src.m_GeometryData;
  m_PointTypes = src.m_PointTypes;
  m_dRotation = src.m_dRotation;
  m_dScaleX = src.m_dScaleX;
  m_dScaleY = src.m_dScaleY;
  m_nEditFlags = src.m_nEditFlags;
  m_nClassCode = src.m_nClassCode | 8;
  m_pParent = src.m_pParent;
  CloneChildrenFrom(src);
  m_pView = src.m_pView;
  m_FramePoints = src.m_FramePoints;
}

jvqObject* jvqPage::Clone() { return new jvqPage(*this); }

void jvqPage::AddChild(jvqObject* pObject) {
  if (pObject == NULL || FindChild(pObject) >= 0) return;
  m_Children.Add(pObject);
  pObject->m_pParent = this;
}

int jvqPage::GetShownCount() {
  int n = 0;
  for (jvqObject* p : m_Children.m_items)
    if (p->IsShown()) n++;
  return n;
}

jvqObject* jvqPage::GetShownObject(int n) {
  for (jvqObject* p : m_Children.m_items) {
    if (!p->IsShown()) continue;
    if (n-- == 0) return p;
  }
  return NULL;
}

void jvqPage::SetPageRect(const RECT* pRect) {
  if (m_GeometryData.GetCount() > 0) {
    RECT rc = *pRect;
    if (rc.left > rc.right) std::swap(rc.left, rc.right);
    if (rc.top > rc.bottom) std::swap(rc.top, rc.bottom);
    m_GeometryData = jvqPointList(rc);
  } else {
    // The page keeps the state it was given with its other attributes.
    const DWORD dwState = m_dwState;
    SetRect(pRect, m_pView, 0);
    m_dwState = dwState;
  }
  m_FramePoints = m_GeometryData;
}

jvqObject* jvqPage::HitTest(POINT* pPoint) {
  if (!IsShown()) return NULL;
  const int n = m_Children.GetCount();
  for (int i = n - 1; i >= 0; i--) {
    jvqObject* h = m_Children.GetAt(i)->HitTest(pPoint);
    if (h && (h->GetClassCode() & JVQ_OBJ_HANDLE) && h->m_pParent &&
        (h->m_pParent->GetState() & JVQ_STATE_SELECTED))
      return h;
  }
  int s = -1, t = -1;
  for (int i = n - 1; i >= 0 && s < 0; i--) {
    jvqObject* c = m_Children.GetAt(i);
    if ((c->GetState() & JVQ_STATE_SELECTED) && c->HitTest(pPoint)) s = i;
  }
  for (int i = n - 1; i >= 0 && t < 0; i--)
    if (m_Children.GetAt(i)->HitTest(pPoint)) t = i;
  if (s < 0) {
    if (t >= 0) return m_Children.GetAt(t);
    RECT r;
    GetBoundRect(&r);
    return (pPoint->x >= r.left && pPoint->x <= r.right && pPoint->y >= r.top && pPoint->y <= r.bottom) ? this : NULL;
  }
  jvqObject* S = m_Children.GetAt(s);
  if (t < 0 || t == s) return S;
  jvqObject* T = m_Children.GetAt(t);
  if ((T->GetState() & JVQ_STATE_LOCKED) && !(S->GetState() & JVQ_STATE_LOCKED)) return S;
  return t > s ? T : S;
}

BOOL jvqPage::GetRegion(CDC* pDC, CRgn* pRgn) {
#ifdef JVQ_HAVE_GDI
  RECT r;
  GetBoundRect(&r);
  return pRgn->CreateRectRgn(r.left, r.top, r.right, r.bottom);
#else
  return FALSE;
#endif
}

BOOL jvqPage::GetRegionRect(CDC*, RECT* pRect) {
  GetBoundRect(pRect);
  if (pRect->left > pRect->right) std::swap(pRect->left, pRect->right);
  if (pRect->top > pRect->bottom) std::swap(pRect->top, pRect->bottom);
  return TRUE;
}

BOOL jvqPage::GetDeviceRegion(CDC* pDC, CRgn* pRgn) {
#ifdef JVQ_HAVE_GDI
  RECT area;
  if (m_pFill && s_pfnPrintableArea && s_pfnPrintableArea(&area)) return m_pFill->MakeDeviceRectRegion(pDC, pRgn, &area);
#endif
  return jvqRectObject::GetDeviceRegion(pDC, pRgn);
}

void jvqPage::DrawOutline(CDC* pDC, jvqLineStyle*) {
#ifdef JVQ_HAVE_GDI
  RECT r;
  GetBoundRect(&r);
  // Drawn in device pixels so that the frame stays one pixel wide at every zoom.
  pDC->LPtoDP(&r);
  const int nSaved = pDC->SaveDC();
  pDC->SetMapMode(MM_TEXT);
  pDC->SetWindowOrg(0, 0);
  pDC->SetViewportOrg(0, 0);
  CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
  CPen* pOldPen = pDC->SelectObject(&pen);
  CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
  pDC->Rectangle(&r);
  pDC->SelectObject(pOldPen);
  if (pOldBrush) pDC->SelectObject(pOldBrush);
  pDC->RestoreDC(nSaved);
#endif
}

#ifdef JVQ_HAVE_GDI
// A picture drawn fast: a grey box (mode 2), or a grey box with a 30-pixel thumbnail
// (mode 1; pictures of 30 pixels or less draw as they are).
static void DrawPicturePlaceholder(CDC* pDC, jvqObject* p) {
  RECT rc;
  p->GetOutline()->GetBoundRect(&rc);
  RECT dev = rc;
  pDC->LPtoDP(&dev);
  const int dw = std::abs(dev.right - dev.left), dh = std::abs(dev.bottom - dev.top);
  if (PictureDisplayMode == 1 && (dw <= 30 || dh <= 30)) {
    p->Draw(pDC);
    return;
  }
  CBrush grey(0xF0F0F0);
  pDC->FillRect(&rc, &grey);
  p->DrawOutline(pDC, p->GetLineStyle());
  if (PictureDisplayMode != 1) return;
  jvqImageFill* f = static_cast<jvqImageObject*>(p)->GetImageFill();
  CBaseImage* pImage = f ? f->GetImage() : NULL;
  const int W = rc.right - rc.left, H = rc.bottom - rc.top;
  if (pImage == NULL || W <= 0 || H <= 0) return;
  const int bw = W > H ? (int)(30LL * W / H) : 30;
  const int bh = W > H ? 30 : (int)(30LL * H / W);
  POINT c;
  p->GetCenter(&c);
  pDC->LPtoDP(&c, 1);
  RECT box = {c.x - bw / 2, c.y - bh / 2, c.x - bw / 2 + bw, c.y - bh / 2 + bh};
  pDC->DPtoLP(&box);
  pImage->Draw(pDC, CPoint(box.left, box.top), CSize(box.right - box.left, box.bottom - box.top));
}

// Draws a child as the display mode of pictures asks.
static void DrawForDisplayMode(CDC* pDC, jvqObject* p) {
  const int code = p->GetClassCode();
  if (PictureDisplayMode == 0 || !p->IsShown()) {
    p->Draw(pDC);
  } else if (code & 0x100) {
    DrawPicturePlaceholder(pDC, p);
  } else if ((code & 0x40) && !(code & 0x40000)) {
    jvqGroupObject* g = static_cast<jvqGroupObject*>(p);
    for (int i = 0; i < g->GetChildCount(); i++) {
      jvqObject* c = g->GetChild(i);
      const DWORD sel = c->m_dwState & JVQ_STATE_SELECTED;
      c->m_dwState &= ~JVQ_STATE_SELECTED;
      DrawForDisplayMode(pDC, c);
      c->m_dwState |= sel;
    }
  } else {
    p->Draw(pDC);
  }
}
#endif

void jvqPage::DrawChildren(CDC* pDC) {
#ifdef JVQ_HAVE_GDI
  for (jvqObject* p : m_Children.m_items) DrawForDisplayMode(pDC, p);
  const COLORREF crOld = RGB(0, 0, 0);
  theDotLineStyle.SetColor(0xA6A6A6);
  for (jvqObject* p : m_Children.m_items) {
    if (!(p->GetState() & JVQ_STATE_SELECTED) || !p->IsShown()) continue;
    jvqLineStyle* pStyle = (p->GetState() & JVQ_STATE_SCALED_RESIZE) ? &theXorDotStyle : &theDotLineStyle;
    p->DrawSelectionFrame(pDC, pStyle);
    p->DrawOutline(pDC, pStyle);
    p->DrawTracker(pDC);
  }
  theDotLineStyle.SetColor(crOld);
#endif
}

#ifdef JVQ_HAVE_GDI
static void DrawGrid(CDC* pDC, jvqBoard* pBoard, const RECT& P) {
  const int s = pBoard->m_nGridSpacing;
  if (s < 1 || pBoard->m_pView == NULL) return;
  RECT C = {0, 0, pBoard->m_pView->m_nClientWidth, pBoard->m_pView->m_nClientHeight};
  pDC->DPtoLP(&C);
  CPen pen(PS_SOLID, 1, pBoard->m_crGrid);
  CPen* pOld = pDC->SelectObject(&pen);
  if (pBoard->m_nGridStyle == 0) {
    const int D = 2 * std::max(P.right - P.left, P.bottom - P.top);
    for (int x = P.left; x < C.right; x += 2 * s) pDC->MoveTo(x, C.top - D), pDC->LineTo(x, C.bottom + D);
    for (int x = P.left - 2 * s; x > C.left; x -= 2 * s) pDC->MoveTo(x, C.top - D), pDC->LineTo(x, C.bottom + D);
    for (int y = P.top; y < C.bottom; y += 2 * s) pDC->MoveTo(C.left - D, y), pDC->LineTo(C.right + D, y);
    for (int y = P.top - 2 * s; y > C.top; y -= 2 * s) pDC->MoveTo(C.left - D, y), pDC->LineTo(C.right + D, y);
  } else {
    // Marks in device pixels, two spacings apart and never closer than two pixels.
    SIZE step20 = {20 * s, 0};
    pDC->LPtoDP(&step20);
    const double step = std::max(std::abs((int)step20.cx), 20) / 10.0;
    POINT o = {P.left, P.top};
    pDC->LPtoDP(&o);
    const int nSaved = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetWindowOrg(0, 0);
    pDC->SetViewportOrg(0, 0);
    const int cw = pBoard->m_pView->m_nClientWidth, ch = pBoard->m_pView->m_nClientHeight;
    auto mark = [&](double fx, double fy) {
      const int x = (int)std::floor(fx + 0.5), y = (int)std::floor(fy + 0.5);
      if (pBoard->m_nGridStyle == 1) {
        pDC->SetPixel(x, y, pBoard->m_crGrid);
        pDC->SetPixel(x - 1, y, pBoard->m_crGrid);
        pDC->SetPixel(x, y - 1, pBoard->m_crGrid);
        pDC->SetPixel(x - 1, y - 1, pBoard->m_crGrid);
      } else {
        pDC->MoveTo(x - 4, y);
        pDC->LineTo(x + 5, y);
        pDC->MoveTo(x, y - 4);
        pDC->LineTo(x, y + 5);
      }
    };
    auto column = [&](double x) {
      for (double y = o.y; y < ch; y += step) mark(x, y);
      for (double y = o.y - step; y > 0; y -= step) mark(x, y);
    };
    for (double x = o.x; x < cw; x += step) column(x);
    for (double x = o.x - step; x > 0; x -= step) column(x);
    pDC->RestoreDC(nSaved);
  }
  pDC->SelectObject(pOld);
}
#endif

jvqPage::PrintableAreaQuery jvqPage::s_pfnPrintableArea = NULL;
jvqPage::PreviewClipMaker jvqPage::s_pfnPreviewClip = NULL;

void jvqPage::Draw(CDC* pDC) {
#ifdef JVQ_HAVE_GDI
  if (!IsShown() || pDC == NULL) return;
  RECT r;
  GetBoundRect(&r);
  RECT paper = {0, 0, r.right - r.left, r.bottom - r.top};
  if (m_pFill) m_pFill->PaintRect(pDC, &paper);
  jvqBoard* pBoard = (m_pParent && (m_pParent->GetClassCode() & 0x200)) ? (jvqBoard*)m_pParent : NULL;
  if (pBoard && (pBoard->GetState() & JVQ_STATE_GRID)) DrawGrid(pDC, pBoard, r);
  DrawOutline(pDC, &m_LineStyle);
  DrawChildren(pDC);
  RECT area;
  if (pBoard && (pBoard->GetState() & JVQ_STATE_PRINTAREA) && s_pfnPrintableArea && s_pfnPrintableArea(&area))
    theDotLineStyle.DrawRect(pDC, &area);
#endif
}

void jvqPage::Render(CDC* pDC) {
#ifdef JVQ_HAVE_GDI
  if (!IsShown() || pDC == NULL) return;
  if (!pDC->IsPrinting()) pDC->SelectClipRgn(NULL);
  // The preview shows only what the printer can reach.
  const BOOL bClip = jvqIsPreviewDC(pDC) && m_pView && m_pView->HasOwnerWindow() && s_pfnPrintableArea &&
                     s_pfnPreviewClip;
  if (bClip) {
    RECT area;
    CRgn rgn;
    if (s_pfnPrintableArea(&area) && s_pfnPreviewClip(pDC, &rgn, &area)) pDC->SelectClipRgn(&rgn, RGN_COPY);
  }
  RECT r;
  GetBoundRect(&r);
  RECT paper = {0, 0, r.right - r.left, r.bottom - r.top};
  if ((m_dwState & JVQ_STATE_FILLED) && m_pFill) m_pFill->PaintRect(pDC, &paper);
  if (!pDC->IsPrinting() && m_bDrawFrame) DrawOutline(pDC, &m_LineStyle);
  for (jvqObject* p : m_Children.m_items) p->Render(pDC);
  if (bClip) pDC->SelectClipRgn(NULL);
#endif
}
