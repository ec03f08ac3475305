// The palettes' image lists: 192-grey becomes the button face, disabled pictures turn grey.
#include "RecolorToolBarBitmap.h"
#include "qvzMainFrame.h"

BOOL qvzMainFrame::LoadToolBarImageList(UINT nIDBitmap, CImageList& list, int nCount, BOOL bKeepColors) {
  HINSTANCE inst = AfxFindResourceHandle(MAKEINTRESOURCE(nIDBitmap), RT_BITMAP);
  HBITMAP bmp = (HBITMAP)::LoadImage(inst, MAKEINTRESOURCE(nIDBitmap), IMAGE_BITMAP, 0, 0,
                                     LR_CREATEDIBSECTION | LR_DEFAULTSIZE);
  if (bmp == NULL || nCount <= 0) return FALSE;
  DIBSECTION ds = {};
  ::GetObject(bmp, sizeof(ds), &ds);
  if (ds.dsBm.bmBitsPixel == 24 && ds.dsBm.bmBits != NULL) {
    BYTE* rows = (BYTE*)ds.dsBm.bmBits;
    for (int y = 0; y < ds.dsBm.bmHeight; y++)
      RecolorToolBarPixels(rows + (size_t)y * ds.dsBm.bmWidthBytes, ds.dsBm.bmWidth, bKeepColors,
                           ::GetSysColor(COLOR_BTNFACE));
  }
  list.DeleteImageList();
  BOOL ok = list.Create(ds.dsBm.bmWidth / nCount, ds.dsBm.bmHeight, ILC_COLOR24 | ILC_MASK, nCount, 0);
  if (ok) ImageList_AddMasked(list.m_hImageList, bmp, RGB(0, 0, 0));
  ::DeleteObject(bmp);
  return ok;
}

void qvzMainFrame::SetToolBarImageLists(CToolBar* pBar, UINT nNormal, UINT nDisabled, UINT nHot, CImageList* pLists,
                                        int nCount) {
  LoadToolBarImageList(nNormal, pLists[0], nCount, TRUE);
  LoadToolBarImageList(nDisabled, pLists[1], nCount, FALSE);
  LoadToolBarImageList(nHot, pLists[2], nCount, TRUE);
  pBar->SendMessage(TB_SETIMAGELIST, 0, (LPARAM)pLists[0].m_hImageList);
  pBar->SendMessage(TB_SETDISABLEDIMAGELIST, 0, (LPARAM)pLists[1].m_hImageList);
  pBar->SendMessage(TB_SETHOTIMAGELIST, 0, (LPARAM)pLists[2].m_hImageList);
}
