#include "qvzObjectPreviewView.h"

#include <mbstring.h>

#include <algorithm>

#include "Dib.h"
#include "jvqDocument.h"
#include "jvqDrawingResources.h"
#include "jvqObject.h"
#include "qvzContentFolders.h"
#include "qvzMessages.h"
#include "qvzObjectFileReader.h"
#include "qvzPreviewGridLayout.h"
#include "qvzView.h"

IMPLEMENT_DYNCREATE(qvzObjectPreviewView, CScrollView)

BEGIN_MESSAGE_MAP(qvzObjectPreviewView, CScrollView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONDOWN()
  ON_WM_ERASEBKGND()
  ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

qvzObjectPreviewView::qvzObjectPreviewView()
    : m_nHorzGap(20), m_nVertGap(20), m_nCellWidth(100), m_nCellHeight(100), m_nLabelWidth(100), m_nLabelHeight(0),
      m_nPictureWidth(100), m_nPictureHeight(100), m_bDragHandOff(1) {}

qvzObjectPreviewView::~qvzObjectPreviewView() { RemoveAllItems(); }

qvzObjectThumbnail* qvzObjectPreviewView::GetItem(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetItemCount()) return NULL;
  return m_items[nIndex];
}

int qvzObjectPreviewView::GetSelectedIndex() const {
  for (int i = 0; i < GetItemCount(); i++)
    if (m_items[i]->m_bSelected) return i;
  return -1;
}

jvqObject* qvzObjectPreviewView::GetSelectedObject() const {
  qvzObjectThumbnail* cell = GetItem(GetSelectedIndex());
  return cell ? cell->m_pObject : NULL;
}

void qvzObjectPreviewView::SelectItem(int nIndex) {
  if (nIndex < 0 || nIndex >= GetItemCount()) return;
  for (int i = 0; i < GetItemCount(); i++) m_items[i]->m_bSelected = i == nIndex;
}

void qvzObjectPreviewView::EnsureVisible(int nIndex) {
  qvzObjectThumbnail* cell = GetItem(nIndex);
  if (cell == NULL || m_hWnd == NULL) return;
  CRect rc;
  GetClientRect(&rc);
  if (GetTotalSize().cy < rc.Height()) return;
  ScrollToPosition(CPoint(0, cell->m_rcCell.top));
}

void qvzObjectPreviewView::RemoveAllItems() {
  for (qvzObjectThumbnail* cell : m_items) delete cell;
  m_items.clear();
}

void qvzObjectPreviewView::RemoveItem(int nIndex) {
  if (nIndex < 0 || nIndex >= GetItemCount()) return;
  delete m_items[nIndex];
  m_items.erase(m_items.begin() + nIndex);
}

BOOL qvzObjectPreviewView::AppendCell(jvqObject* pObject, LPCTSTR lpszLabel, CDib* pPicture, BOOL bOwns) {
  qvzObjectThumbnail* cell = new qvzObjectThumbnail(this);
  if (!cell->Create(pObject, lpszLabel, m_nCellWidth, m_nCellHeight, m_nPictureWidth, m_nPictureHeight,
                    m_nLabelWidth, m_nLabelHeight, pPicture)) {
    // What the cell was not given stays the caller's.
    cell->m_bOwns = 0;
    delete cell;
    return FALSE;
  }
  cell->m_bOwns = bOwns;
  m_items.push_back(cell);
  return TRUE;
}

void qvzObjectPreviewView::AddItem(jvqObject* pObject, LPCTSTR lpszLabel) {
  if (!AppendCell(pObject, lpszLabel, NULL, TRUE)) return;
  RecalcLayout();
}

void qvzObjectPreviewView::SetCellSize(int nWidth, int nHeight) {
  m_nCellWidth = nWidth;
  m_nCellHeight = nHeight;
  m_nLabelWidth = nWidth;
  CDC dc;
  SIZE text = {0, 0};
  if (dc.CreateIC("DISPLAY", NULL, NULL, NULL))
    GetMultiLineTextExtent(&text, &dc, "あいうえおｑ", CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
  m_nLabelHeight = text.cy + 2;
  m_nPictureWidth = m_nPictureHeight = PreviewPictureSide(nWidth, nHeight, m_nLabelHeight);
}

void qvzObjectPreviewView::RecalcLayout() {
  if (m_items.empty() || m_hWnd == NULL) return;
  CRect rcClient;
  GetClientRect(&rcClient);
  const qvzPreviewGridLayout grid =
      CalcPreviewGrid(GetItemCount(), m_nCellWidth, m_nCellHeight, m_nHorzGap, m_nVertGap, rcClient.Width());
  for (int i = 0; i < GetItemCount(); i++) {
    int left = 0, top = 0;
    PreviewCellOrigin(grid, i, m_nCellWidth, m_nCellHeight, m_nHorzGap, m_nVertGap, &left, &top);
    RECT rc = {left, top, left + m_nCellWidth, top + m_nCellHeight};
    m_items[i]->SetRect(rc);
  }
  SetScrollSizes(MM_TEXT, CSize(grid.nScrollWidth, grid.nScrollHeight));
}

int qvzObjectPreviewView::LoadFolder(LPCTSTR lpszFolder) {
  if (lpszFolder == NULL) return 0;
  RemoveAllItems();
  m_strFolder = lpszFolder;
  const CString prefix = qvzFolderPrefix(lpszFolder);
  std::vector<CString> paths;
  WIN32_FIND_DATA fd;
  HANDLE h = ::FindFirstFile(prefix + "*.qzl", &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY)) continue;
      CString ending = CString(fd.cFileName).Right(4);
      ending.MakeUpper();
      if (ending == ".QZL") paths.push_back(prefix + fd.cFileName);
    } while (::FindNextFile(h, &fd));
    ::FindClose(h);
  }
  if (paths.empty()) return 0;
  std::sort(paths.begin(), paths.end(), [](const CString& a, const CString& b) {
    return _mbscmp((const unsigned char*)(LPCTSTR)a, (const unsigned char*)(LPCTSTR)b) < 0;
  });
  CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
  jvqDocument* doc = frame ? DYNAMIC_DOWNCAST(jvqDocument, frame->GetActiveDocument()) : NULL;
  for (const CString& path : paths) {
    jvqObject* object = NULL;
    CDib* thumbnail = NULL;
    if (!ReadObjectFile(path, &object, doc, NULL, NULL, &thumbnail)) continue;
    CString label = path.Mid(prefix.GetLength());
    label = label.Left(label.GetLength() - 4);
    if (!AppendCell(object, label, thumbnail, TRUE)) {
      delete object;
      delete thumbnail;
    }
  }
  return 1;
}

BOOL qvzObjectPreviewView::WriteOrderFile(LPCTSTR lpszPath) {
  CFile f;
  if (lpszPath == NULL || !f.Open(lpszPath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary)) return FALSE;
  try {
    for (qvzObjectThumbnail* cell : m_items) {
      f.Write((LPCTSTR)cell->m_strLabel, cell->m_strLabel.GetLength());
      f.Write("\r\n", 2);
    }
    f.Close();
  } catch (CFileException* e) {
    e->Delete();
    f.Abort();
    return FALSE;
  }
  return TRUE;
}

void qvzObjectPreviewView::OnDraw(CDC* pDC) {
  CRect rc;
  GetClientRect(&rc);
  const CSize total = GetTotalSize();
  pDC->FillSolidRect(0, 0, std::max<int>(rc.Width(), total.cx), std::max<int>(rc.Height(), total.cy),
                     ::GetSysColor(COLOR_WINDOW));
  for (qvzObjectThumbnail* cell : m_items) cell->Draw(pDC);
}

int qvzObjectPreviewView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CScrollView::OnCreate(lpcs) == -1) return -1;
  m_dropTarget.Register(this);
  return 0;
}

void qvzObjectPreviewView::OnSize(UINT nType, int cx, int cy) {
  CScrollView::OnSize(nType, cx, cy);
  RecalcLayout();
}

BOOL qvzObjectPreviewView::OnEraseBkgnd(CDC*) { return TRUE; }

// A click on the grid leaves the frame's editing view the active one.
int qvzObjectPreviewView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

int qvzObjectPreviewView::SelectAt(CPoint point) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.DPtoLP(&point);
  int before = -1, hit = -1;
  for (int i = 0; i < GetItemCount(); i++) {
    qvzObjectThumbnail* cell = m_items[i];
    if (cell->m_bSelected) before = i;
    cell->m_bSelected = ::PtInRect(&cell->m_rcCell, point);
    if (cell->m_bSelected) hit = i;
  }
  if (before < 0) return hit;
  // A click between cells keeps the selection.
  if (hit < 0) m_items[before]->m_bSelected = 1;
  Invalidate(FALSE);
  return hit;
}

void qvzObjectPreviewView::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_items.empty()) return;
  const int hit = SelectAt(point);
  CScrollView::OnLButtonDown(nFlags, point);
  if (hit < 0 || !m_bDragHandOff) return;
  qvzPreviewDragSource* parent = dynamic_cast<qvzPreviewDragSource*>(GetParent());
  if (parent) parent->BeginDrag(m_items[hit]->m_pObject, 1);
}

void qvzObjectPreviewView::OnLButtonUp(UINT nFlags, CPoint point) {
  SetFocus();
  CScrollView::OnLButtonUp(nFlags, point);
}

void qvzObjectPreviewView::OnRButtonDown(UINT nFlags, CPoint point) {
  if (!m_items.empty()) SelectAt(point);
  if (CWnd* parent = GetParent()) parent->SendMessage(QVZM_PALETTECONTEXT, 0, MAKELPARAM(point.x, point.y));
  CScrollView::OnRButtonDown(nFlags, point);
}

static DWORD DropEffectFor(COleDataObject* pDataObject) {
  if (pDataObject->IsDataAvailable(qvzView::CatalogFormat()) || pDataObject->IsDataAvailable(CF_HDROP))
    return DROPEFFECT_COPY;
  return DROPEFFECT_NONE;
}

DWORD qvzObjectPreviewView::OnDragEnter(COleDataObject* pDataObject, DWORD, CPoint) {
  return DropEffectFor(pDataObject);
}

DWORD qvzObjectPreviewView::OnDragOver(COleDataObject* pDataObject, DWORD, CPoint) {
  return DropEffectFor(pDataObject);
}

BOOL qvzObjectPreviewView::OnDrop(COleDataObject* pDataObject, DWORD, CPoint point) {
  if (pDataObject->IsDataAvailable(qvzView::CatalogFormat())) {
    HGLOBAL h = pDataObject->GetGlobalData(qvzView::CatalogFormat());
    if (h) {
      if (CWnd* parent = GetParent())
        parent->SendMessage(QVZM_PALETTEDROP, (WPARAM)h, MAKELPARAM(point.x, point.y));
      ::GlobalFree(h);
    }
  } else if (pDataObject->IsDataAvailable(CF_HDROP)) {
    // Dropped files are not taken.
    STGMEDIUM medium = {};
    FORMATETC fmt = {CF_HDROP, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (pDataObject->GetData(CF_HDROP, &medium, &fmt)) ::ReleaseStgMedium(&medium);
  }
  OnDragLeave();
  return TRUE;
}
