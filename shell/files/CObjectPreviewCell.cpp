#include "CObjectPreviewCell.h"

#include "Dib.h"
#include "jvqGeometry.h"

BEGIN_MESSAGE_MAP(CObjectPreviewCell, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CObjectPreviewCell::SetPicture(CDib* pDib) {
  m_pDib = pDib;
  if (m_hWnd) Invalidate();
}

void CObjectPreviewCell::SetSelected(BOOL bSelected) {
  if (m_bSelected == bSelected) return;
  m_bSelected = bSelected;
  if (m_hWnd) Invalidate();
}

void CObjectPreviewCell::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
  if (m_pDib == NULL) return;
  RECT fit = {0, 0, (LONG)m_pDib->GetWidth() * 100, (LONG)m_pDib->GetHeight() * 100};
  RECT target = rc;
  FitRectToAspect(&fit, &target);
  CRect dest(fit);
  m_pDib->Draw(&dc, dest, NULL);
  if (m_bSelected) {
    dc.Draw3dRect(&rc, RGB(255, 0, 0), RGB(255, 0, 0));
    rc.DeflateRect(1, 1);
    dc.Draw3dRect(&rc, RGB(255, 0, 0), RGB(255, 0, 0));
  }
}
