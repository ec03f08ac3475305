#include "CThumbnailList.h"

#include "BaseImage.h"
#include "CFolderFrame.h"
#include "ThumbnailLayout.h"
#include "jvqGeometry.h"

HPALETTE CreateThumbnailPalette() {
  struct {
    LOGPALETTE head;
    PALETTEENTRY more[215];
  } pal = {};
  pal.head.palVersion = 0x300;
  pal.head.palNumEntries = 216;
  PALETTEENTRY* e = pal.head.palPalEntry;
  for (int r = 0; r < 6; r++)
    for (int g = 0; g < 6; g++)
      for (int b = 0; b < 6; b++) {
        PALETTEENTRY& p = e[36 * r + 6 * g + b];
        p.peRed = (BYTE)(r * 255 / 5);
        p.peGreen = (BYTE)(g * 255 / 5);
        p.peBlue = (BYTE)(b * 255 / 5);
        p.peFlags = 0;
      }
  return ::CreatePalette(&pal.head);
}

/////////////////////////////////////////////////////////////////////////////
// CThumbnailCell

BEGIN_MESSAGE_MAP(CThumbnailCell, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_PALETTECHANGED()
  ON_WM_QUERYNEWPALETTE()
END_MESSAGE_MAP()

BOOL CThumbnailCell::CreateCell(CThumbnailList* pList, const RECT& rect, UINT nID) {
  LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
  return CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE, rect, pList, nID);
}

CThumbnailList* CThumbnailCell::List() const { return (CThumbnailList*)GetParent(); }

void CThumbnailCell::LoadPicture() {
  ThumbnailItem* item = m_pItem;
  m_strName = item->strName;
  if (item->pPicture == NULL) return;
  CThumbnailList* list = List();
  const BOOL read = item->pPicture->Read(list->m_strFolder + "\\" + item->strName);
  CClientDC dc(this);
  CRect client;
  GetClientRect(&client);
  HDC hMem = ::CreateCompatibleDC(dc.m_hDC);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(dc.m_hDC, client.Width(), client.Height());
  if (hMem && hBitmap) {
    HGDIOBJ oldBitmap = ::SelectObject(hMem, hBitmap);
    HPALETTE oldPalette = ::SelectPalette(hMem, list->m_hPalette, FALSE);
    ::RealizePalette(hMem);
    CDC* mem = CDC::FromHandle(hMem);
    mem->FillSolidRect(&client, ::GetBkColor(dc.m_hDC));
    const CSize size = read ? item->pPicture->GetDimensions() : CSize(0, 0);
    if (size.cx > 0 && size.cy > 0) {
      const BOOL metafile = item->pPicture->GetBI() == NULL;
      if (metafile && size.cx <= THUMBNAIL_BOX && size.cy <= THUMBNAIL_BOX) {
        RECT fit = {0, 0, size.cx, size.cy};
        const RECT target = client;
        FitRectToAspect(&fit, &target);
        item->pPicture->Draw(mem, CPoint(fit.left, fit.top), CSize(fit.right - fit.left, fit.bottom - fit.top));
      } else {
        const RECT r = ThumbnailPictureRect(size.cx, size.cy);
        item->pPicture->Draw(mem, CPoint(r.left, r.top), CSize(r.right - r.left, r.bottom - r.top));
      }
    }
    ::SelectPalette(hMem, oldPalette, FALSE);
    ::SelectObject(hMem, oldBitmap);
    item->hThumbnail = hBitmap;
    hBitmap = NULL;
  }
  if (hBitmap) ::DeleteObject(hBitmap);
  if (hMem) ::DeleteDC(hMem);
  item->bLoaded = TRUE;
  delete item->pPicture;
  item->pPicture = NULL;
}

void CThumbnailCell::OnPaint() {
  CPaintDC dc(this);
  ThumbnailItem* item = m_pItem;
  if (item->bPainting) return;
  item->bPainting = TRUE;
  CThumbnailList* list = List();
  CRect client;
  GetClientRect(&client);
  const COLORREF bk = dc.GetBkColor();
  const CRect box(0, 4, 110, 114);
  dc.FillSolidRect(CRect(0, 114, client.right, client.bottom), bk);
  if (!item->bSelected) dc.FillSolidRect(&box, bk);
  if (!item->bLoaded) LoadPicture();
  if (item->hThumbnail) {
    HDC hMem = ::CreateCompatibleDC(dc.m_hDC);
    HGDIOBJ old = ::SelectObject(hMem, item->hThumbnail);
    HPALETTE oldPalette = ::SelectPalette(dc.m_hDC, list->m_hPalette, FALSE);
    ::RealizePalette(dc.m_hDC);
    ::BitBlt(dc.m_hDC, 0, 0, client.Width(), client.Height(), hMem, 0, 0, SRCCOPY);
    ::SelectPalette(dc.m_hDC, oldPalette, FALSE);
    ::SelectObject(hMem, old);
    ::DeleteDC(hMem);
  }
  CFont* oldFont = dc.SelectObject(&list->m_NameFont);
  CRect text(1, 120, 108, 141);
  const CString shown = ShortenThumbnailName(m_strName, [&](const CString& s) { return dc.GetTextExtent(s).cx <= text.Width(); });
  if (item->bSelected && ::GetFocus() == list->m_hWnd) {
    dc.SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    dc.SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
    dc.SetBkMode(OPAQUE);
  } else {
    dc.SetBkMode(TRANSPARENT);
  }
  dc.DrawText(shown, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  dc.SelectObject(oldFont);
  if (item->bSelected) {
    CBrush red(RGB(255, 0, 0));
    dc.FrameRect(&box, &red);
  }
  item->bPainting = FALSE;
}

void CThumbnailCell::OnLButtonDown(UINT nFlags, CPoint point) {
  List()->SendMessage(QVZM_THUMBNAILCLICK, (WPARAM)this, (LPARAM)m_pItem);
  CWnd::OnLButtonDown(nFlags, point);
}

void CThumbnailCell::OnLButtonDblClk(UINT nFlags, CPoint point) {
  List()->SendMessage(QVZM_THUMBNAILOPEN, 0, (LPARAM)m_pItem);
  CWnd::OnLButtonDblClk(nFlags, point);
}

void CThumbnailCell::OnPaletteChanged(CWnd* pFocusWnd) {
  CWnd::OnPaletteChanged(pFocusWnd);
  if (pFocusWnd == this) return;
  CClientDC dc(this);
  HPALETTE old = ::SelectPalette(dc.m_hDC, List()->m_hPalette, FALSE);
  if (::RealizePalette(dc.m_hDC) > 0) Invalidate();
  ::SelectPalette(dc.m_hDC, old, FALSE);
}

BOOL CThumbnailCell::OnQueryNewPalette() {
  HPALETTE hPalette = List()->m_hPalette;
  if (hPalette == NULL) return CWnd::OnQueryNewPalette();
  CClientDC dc(this);
  HPALETTE old = ::SelectPalette(dc.m_hDC, hPalette, FALSE);
  const UINT changed = ::RealizePalette(dc.m_hDC);
  ::SelectPalette(dc.m_hDC, old, FALSE);
  if (changed > 0) Invalidate();
  return (BOOL)changed;
}

/////////////////////////////////////////////////////////////////////////////
// CThumbnailList

CThumbnailList::CThumbnailList()
    : m_pSelected(NULL), m_nSequence(0), m_hWndFrame(NULL), m_nLastScrollCode(SB_ENDSCROLL), m_nLastScrollTrack(0) {
  m_hPalette = CreateThumbnailPalette();
}

CThumbnailList::~CThumbnailList() {
  for (ThumbnailItem* item : m_Items) FreeItem(item);
  m_Items.clear();
  if (m_hPalette) ::DeleteObject(m_hPalette);
}

void CThumbnailList::FreeItem(ThumbnailItem* item) {
  if (item == NULL) return;
  delete item->pPicture;
  if (item->pCell) {
    if (item->pCell->m_hWnd) {
      if (m_Tips.m_hWnd) m_Tips.DelTool(item->pCell);
      item->pCell->DestroyWindow();
    }
    delete item->pCell;
  }
  if (item->hThumbnail) ::DeleteObject(item->hThumbnail);
  if (m_pSelected == item) m_pSelected = NULL;
  delete item;
}

void CThumbnailList::Empty() {
  if (m_hWnd) ResetContent();
  // Whatever the list box did not hand to DeleteItem.
  for (ThumbnailItem* item : m_Items) FreeItem(item);
  m_Items.clear();
  m_pSelected = NULL;
  m_nSequence = 0;
  if (m_hWnd) {
    SetScrollRange(SB_VERT, 0, 0, FALSE);
    SetScrollPos(SB_VERT, 0, TRUE);
  }
}

void CThumbnailList::AddFile(LPCTSTR lpszName) {
  ThumbnailItem* item = new ThumbnailItem();
  item->strName = lpszName;
  CString upper = PictureExtension(m_strFolder + "\\" + lpszName);
  upper.MakeUpper();
  item->pPicture = CBaseImage::CreateForExtension(upper);
  const int n = m_nSequence;
  item->nSequence = n;
  // Cells sit where their row is now, whatever the list has scrolled by.
  const RECT r = ThumbnailCellRect(n, TopRow());
  item->pCell = new CThumbnailCell(item);
  item->pCell->m_strName = item->strName;
  if (!item->pCell->CreateCell(this, r, (UINT)n)) {
    FreeItem(item);
    return;
  }
  if (m_NameFont.m_hObject == NULL) m_NameFont.CreatePointFont(100, "ＭＳ Ｐゴシック");
  if (m_Tips.m_hWnd == NULL && m_Tips.Create(this)) m_Tips.Activate(TRUE);
  if (m_Tips.m_hWnd) AddWindowTool(&m_Tips, item->pCell, item->strName);
  if (n / THUMBNAIL_COLUMNS == 0 && item->pPicture) item->pCell->LoadPicture();
  m_Items.push_back(item);
  if (n % THUMBNAIL_COLUMNS == 0) {
    const int row = AddString("");
    if (row >= 0) SetItemHeight(row, THUMBNAIL_ROW_HEIGHT);
  }
  m_nSequence++;
}

void CThumbnailList::DrawItem(LPDRAWITEMSTRUCT lpDraw) {
  const size_t first = (size_t)lpDraw->itemID * THUMBNAIL_COLUMNS;
  for (size_t i = first; i < first + THUMBNAIL_COLUMNS && i < m_Items.size(); i++)
    if (m_Items[i] && m_Items[i]->pCell->m_hWnd) m_Items[i]->pCell->Invalidate();
}

void CThumbnailList::DeleteItem(LPDELETEITEMSTRUCT lpDelete) {
  const size_t first = (size_t)lpDelete->itemID * THUMBNAIL_COLUMNS;
  for (size_t i = first; i < first + THUMBNAIL_COLUMNS && i < m_Items.size(); i++) {
    FreeItem(m_Items[i]);
    m_Items[i] = NULL;
  }
}

void CThumbnailList::SetFrameName(const CString& strName) {
  if (m_hWndFrame) ::SetDlgItemText(m_hWndFrame, 1152, strName);
}

void CThumbnailList::SelectItem(ThumbnailItem* pItem) {
  if (m_pSelected == pItem) return;
  if (m_pSelected) {
    m_pSelected->bSelected = FALSE;
    m_pSelected->pCell->Invalidate();
  }
  m_pSelected = pItem;
  if (pItem) {
    pItem->bSelected = TRUE;
    pItem->pCell->Invalidate();
  }
}

int CThumbnailList::TopRow() const { return GetScrollPos(SB_VERT); }

// Each cell is placed again from its row rather than moved by the rows scrolled: moved
// ones would pass the 32,767 pixels a window's place holds past about 224 rows.
void CThumbnailList::ScrollToRow(int nRow) {
  const int old = GetScrollPos(SB_VERT);
  if (nRow == old) return;
  SetScrollPos(SB_VERT, nRow, TRUE);
  for (ThumbnailItem* item : m_Items) {
    if (item == NULL || item->pCell == NULL || item->pCell->m_hWnd == NULL) continue;
    const RECT was = ThumbnailCellRect(item->nSequence, old);
    const RECT now = ThumbnailCellRect(item->nSequence, nRow);
    // Parked cells stay parked.
    if (was.top == now.top) continue;
    ::SetWindowPos(item->pCell->m_hWnd, NULL, now.left, now.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  UpdateWindow();
}

void CThumbnailList::Scroll(UINT nCode, int nTrack) {
  int nMin = 0, nMax = 0;
  GetScrollRange(SB_VERT, &nMin, &nMax);
  const int pos = GetScrollPos(SB_VERT);
  if (nCode == SB_THUMBPOSITION || nCode == SB_THUMBTRACK) m_nLastScrollTrack = nTrack;
  const int target = ThumbnailScrollTarget(nCode, pos, nMin, nMax, m_nLastScrollCode, m_nLastScrollTrack);
  m_nLastScrollCode = nCode;
  ScrollToRow(target);
}

LRESULT CThumbnailList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case QVZM_THUMBNAILCLICK: {
      SelectItem((ThumbnailItem*)lParam);
      SetFocus();
      SetFrameName(((ThumbnailItem*)lParam)->strName);
      return 0;
    }
    case QVZM_THUMBNAILOPEN:
      if (m_hWndFrame) {
        HWND ok = ::GetDlgItem(m_hWndFrame, IDOK);
        ::PostMessage(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 0));
        ::PostMessage(ok, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(1, 0));
      }
      return 0;
    case WM_VSCROLL:
      Scroll(LOWORD(wParam), (short)HIWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      Scroll((short)HIWORD(wParam) < 0 ? SB_LINEDOWN : SB_LINEUP);
      Scroll(SB_ENDSCROLL);
      return 0;
    case WM_KEYDOWN: {
      if (m_pSelected == NULL) break;
      const int target = ThumbnailKeyTarget((UINT)wParam, m_pSelected->nSequence, (int)m_Items.size());
      if (target == -2) break;
      if (target < 0 || m_Items[target] == NULL) return 0;
      if (target / THUMBNAIL_COLUMNS != GetScrollPos(SB_VERT)) ScrollToRow(target / THUMBNAIL_COLUMNS);
      SelectItem(m_Items[target]);
      SetFrameName(m_Items[target]->strName);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT r = CListBox::WindowProc(message, wParam, lParam);
      if (m_pSelected) m_pSelected->pCell->Invalidate();
      return r;
    }
  }
  return CListBox::WindowProc(message, wParam, lParam);
}
