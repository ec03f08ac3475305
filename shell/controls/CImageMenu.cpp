#include "CImageMenu.h"

#include <string.h>

CImageMenu::CImageMenu() : m_cxImage(0), m_cyImage(0), m_cxText(0), m_cyText(0), m_hFont((HFONT)::GetStockObject(DEFAULT_GUI_FONT)) {
  CreateMenu();
}

CImageMenu::~CImageMenu() {
  for (ImageMenuItem* p : m_items) delete p;
  m_items.clear();
  // The handle lives on inside the menu it was inserted into, which destroys it.
  Detach();
  m_imageList.DeleteImageList();
  m_bmpStrip.DeleteObject();
}

void CImageMenu::AppendItem(UINT nID, ImageMenuItem* pItem) {
  if (pItem == NULL) return;
  pItem->szText[sizeof pItem->szText - 1] = '\0';
  ::AppendMenu(m_hMenu, MF_OWNERDRAW, nID, (LPCTSTR)pItem);
  m_items.push_back(pItem);

  HDC hDC = ::CreateDC("DISPLAY", NULL, NULL, NULL);
  if (hDC == NULL) return;
  HGDIOBJ hOld = ::SelectObject(hDC, m_hFont);
  SIZE size = {0, 0};
  ::GetTextExtentPoint32(hDC, pItem->szText, (int)strlen(pItem->szText), &size);
  ::SelectObject(hDC, hOld);
  ::DeleteDC(hDC);
  if (size.cx > m_cxText) m_cxText = size.cx;
  if (size.cy > m_cyText) m_cyText = size.cy;
}

BOOL CImageMenu::LoadImages(UINT nIDBitmap, int nCount) {
  if (nCount <= 0) return FALSE;
  LPCTSTR lpszName = MAKEINTRESOURCE(nIDBitmap);
  HBITMAP hBitmap = (HBITMAP)::LoadImage(AfxFindResourceHandle(lpszName, RT_BITMAP), lpszName, IMAGE_BITMAP, 0, 0,
                                         LR_CREATEDIBSECTION | LR_DEFAULTSIZE);
  if (hBitmap == NULL) return FALSE;
  m_imageList.DeleteImageList();
  m_bmpStrip.DeleteObject();
  m_bmpStrip.Attach(hBitmap);

  DIBSECTION ds;
  if (::GetObject(hBitmap, sizeof ds, &ds) != sizeof ds || ds.dsBm.bmBits == NULL) return FALSE;
  const BITMAP& bm = ds.dsBm;
  if (bm.bmBitsPixel == 24) {
    const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);
    BYTE* pBits = (BYTE*)bm.bmBits;
    for (int y = 0; y < bm.bmHeight; y++) {
      BYTE* p = pBits + (size_t)y * bm.bmWidthBytes;
      for (int x = 0; x < bm.bmWidth; x++, p += 3) {
        if (p[0] == 192 && p[1] == 192 && p[2] == 192) {
          p[0] = GetBValue(crFace);
          p[1] = GetGValue(crFace);
          p[2] = GetRValue(crFace);
        }
      }
    }
    ::GdiFlush();
  }
  m_cyImage = bm.bmHeight;
  m_cxImage = bm.bmWidth / nCount;
  if (m_cxImage <= 0 || !m_imageList.Create(m_cxImage, m_cyImage, ILC_COLOR24, nCount, 2)) return FALSE;
  m_imageList.Add(&m_bmpStrip, RGB(192, 192, 192));
  return TRUE;
}

void CImageMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  lpMeasureItemStruct->itemWidth = m_cxText + m_cxImage + 9;
  lpMeasureItemStruct->itemHeight = (m_cyImage > m_cyText ? m_cyImage : m_cyText) + 4;
}

void CImageMenu::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  const CRect rectItem = lpDrawItemStruct->rcItem;
  CRect rectImage(rectItem.left, rectItem.top, rectItem.left + m_cxImage, rectItem.bottom);
  rectImage.DeflateRect(2, 2);
  CRect rectText(rectImage.right + 5, rectItem.top, rectItem.right, rectItem.bottom);
  rectText.DeflateRect(2, 2);
  const ImageMenuItem* pItem = (const ImageMenuItem*)lpDrawItemStruct->itemData;
  const UINT nAction = lpDrawItemStruct->itemAction;
  const UINT nState = lpDrawItemStruct->itemState;
  const COLORREF crLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);

  if ((nAction & ODA_DRAWENTIRE) && pItem != NULL) {
    int nImages = m_imageList.GetSafeHandle() != NULL ? m_imageList.GetImageCount() : 0;
    if (pItem->nImage >= 0 && pItem->nImage < nImages)
      m_imageList.Draw(pDC, pItem->nImage, rectImage.TopLeft(), ILD_NORMAL);
    HGDIOBJ hOld = ::SelectObject(pDC->m_hDC, m_hFont);
    CSize size = pDC->GetTextExtent(pItem->szText, (int)strlen(pItem->szText));
    pDC->TextOut(rectText.left, (rectText.top + rectText.bottom) / 2 - size.cy / 2, pItem->szText,
                 (int)strlen(pItem->szText));
    ::SelectObject(pDC->m_hDC, hOld);
  }
  if ((nState & ODS_SELECTED) && (nAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
    pDC->Draw3dRect(rectItem, crLight, crShadow);
  } else if (!(nState & ODS_SELECTED) && (nAction & ODA_SELECT)) {
    CBrush brush(::GetSysColor(COLOR_BTNFACE));
    pDC->FrameRect(rectItem, &brush);
  }
  if (nState & ODS_CHECKED) pDC->Draw3dRect(rectItem, crShadow, crLight);
}
