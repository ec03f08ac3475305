// Drops onto the application view: catalogue items in the "VendaroExplorer" format and file
// lists, with the dotted feedback that follows the pointer while they are dragged over.
#include <vector>

#include "jvqDocument.h"
#include "jvqGroupObject.h"
#include "jvqObjectCodes.h"
#include "jvqImageObject.h"
#include "jvqLineStyle.h"
#include "jvqMadorizuObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqSymbolObject.h"
#include "jvqTextFill.h"
#include "jvqTextObject.h"
#include "jvqUndoManager.h"
#include "jvqVectorFill.h"
#include "jvqViewHost.h"
#include "qvzView.h"

#include <shellapi.h>

CLIPFORMAT qvzView::CatalogFormat() {
  static CLIPFORMAT cf = (CLIPFORMAT)::RegisterClipboardFormat("VendaroExplorer");
  return cf;
}

static CString Ending(const CString& path) {
  CString e = path.Right(4);
  e.MakeLower();
  return e;
}

static BOOL IsOneOf(const CString& e, std::initializer_list<const char*> list) {
  for (const char* s : list)
    if (e == s) return TRUE;
  return FALSE;
}

static std::vector<CString> DroppedFiles(HDROP hDrop) {
  std::vector<CString> files;
  const UINT n = ::DragQueryFile(hDrop, 0xFFFFFFFF, NULL, 0);
  for (UINT i = 0; i < n; i++) {
    char path[MAX_PATH] = "";
    if (::DragQueryFile(hDrop, i, path, MAX_PATH)) files.push_back(path);
  }
  return files;
}

jvqObject* qvzView::MakePictureFromFile(LPCTSTR lpszPath) {
  jvqDocument* doc = GetDocument();
  jvqImageObject* pic = (jvqImageObject*)jvqObjectDefaults::CreateObject(JVQ_OBJ_IMAGE);
  if (pic == NULL) return NULL;
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(pic);
  if (!pic->LoadImage(doc ? doc->GetImagePool() : NULL, lpszPath, TRUE)) {
    delete pic;
    return NULL;
  }
  return pic;
}

jvqObject* qvzView::MakeFloorPlanFromFile(LPCTSTR lpszPath) {
  jvqDocument* doc = GetDocument();
  jvqMadorizuObject* plan = new jvqMadorizuObject(NULL, NULL, NULL, 0x311);
  if (!plan->Create(lpszPath, &m_Mapping, doc ? doc->GetImagePool() : NULL, 0x311)) {
    delete plan;
    return NULL;
  }
  plan->GetLineStyle()->SetStyle(5);
  plan->SetScale(1.0 / SymbolScale());
  return plan;
}

jvqObject* qvzView::MakeSymbolFromFile(LPCTSTR lpszPath) {
  jvqVectorFill* fill = new jvqVectorFill;
  // A shape that did not load would leave a symbol painting nothing.
  if (!fill->LoadShapeFile(lpszPath)) {
    delete fill;
    return NULL;
  }
  const SIZE ext = fill->GetShape()->GetExtent();
  const RECT rc = {0, 0, ext.cx / 10, ext.cy / 10};
  jvqSymbolObject* sym = new jvqSymbolObject;
  sym->Create(&rc, &m_Mapping, 0x311);
  sym->SetFill(fill);
  sym->GetLineStyle()->SetStyle(5);
  return sym;
}

void qvzView::DeleteDropOutlines() {
  for (jvqObject* o : m_DropOutlines) delete o;
  m_DropOutlines.clear();
}

void qvzView::BuildFileDragOutline(HDROP hDrop) {
  POINT at = {0, 0};
  for (const CString& path : DroppedFiles(hDrop)) {
    if (path.GetLength() < 4) continue;
    const CString e = Ending(path);
    jvqObject* o = NULL;
    if (IsOneOf(e, {".bmp", ".dib", ".rle", ".wmf", ".jpg", ".png", ".tif"})) {
      o = MakePictureFromFile(path);
      if (o) {
        o->MoveTo(&at, 1);
        at.x += 50;
        at.y += 50;
      }
    } else if (e == ".kxq") {
      o = MakeFloorPlanFromFile(path);
    } else if (e == ".tqz") {
      o = MakeSymbolFromFile(path);
      if (o) {
        o->MoveTo(&at, 1);
        at.x += 50;
        at.y += 50;
      }
    }
    if (o) m_DropOutlines.push_back(o);
  }
}

// The catalogue item's first string, the path of its picture, read within the block.
static BOOL FirstString(HGLOBAL hData, CString* pOut) {
  const SIZE_T size = hData ? ::GlobalSize(hData) : 0;
  const char* p = size ? (const char*)::GlobalLock(hData) : NULL;
  if (p == NULL) return FALSE;
  const char* end = (const char*)memchr(p, 0, size);
  if (end) *pOut = CString(p, (int)(end - p));
  ::GlobalUnlock(hData);
  // A block with no end to its string holds no item.
  return end != NULL;
}

DROPEFFECT qvzView::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (pDataObject->IsDataAvailable(CatalogFormat())) {
    DeleteDropOutlines();
    m_bNoFeedback = TRUE;
    SetCapture();
    // The outline is the item the paste would place; its picture's bounds serve with Ctrl.
    HGLOBAL h = pDataObject->GetGlobalData(CatalogFormat());
    const SIZE_T size = h ? ::GlobalSize(h) : 0;
    const void* p = size ? ::GlobalLock(h) : NULL;
    m_pCatalogSettings->m_pDocument = GetDocument();
    if (jvqGroupObject* item = p ? m_pCatalogSettings->BuildItemObject(p, (size_t)size, qvzCatalogPasteSettings::LayoutPath()) : NULL) {
      item->GetBoundRect(&m_rcDropItem);
      for (int i = 0; i < item->GetChildCount(); i++)
        if (item->GetChild(i)->GetClassCode() == JVQ_OBJ_IMAGE) item->GetChild(i)->GetBoundRect(&m_rcDropPicture);
      m_DropOutlines.push_back(item);
    }
    if (p) ::GlobalUnlock(h);
    if (h) ::GlobalFree(h);
  } else if (pDataObject->IsDataAvailable(CF_HDROP)) {
    DeleteDropOutlines();
    STGMEDIUM medium;
    if (pDataObject->GetData(CF_HDROP, &medium)) {
      HDROP hDrop = (HDROP)medium.hGlobal;
      if (::DragQueryFile(hDrop, 0xFFFFFFFF, NULL, 0) == 1) {
        m_bNoFeedback = TRUE;
        SetCapture();
        BuildFileDragOutline(hDrop);
      }
      ::ReleaseStgMedium(&medium);
    }
  } else {
    return DROPEFFECT_NONE;
  }
  return OnDragOver(pDataObject, dwKeyState, point);
}

void qvzView::DrawDropFeedback(BOOL bCatalogue) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  if (bCatalogue) theXorDotStyle.DrawRect(&dc, &m_rcDropFeedback);
  else m_DropOutlines[0]->DrawOutline(&dc, &theXorDotStyle);
}

DROPEFFECT qvzView::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  const BOOL bCatalogue = pDataObject->IsDataAvailable(CatalogFormat());
  const BOOL bFiles = !bCatalogue && pDataObject->IsDataAvailable(CF_HDROP);
  if (!bCatalogue && !bFiles) return DROPEFFECT_NONE;
  if (m_DropOutlines.size() == 1) {
    POINT pt = point;
    PointToLogical(&pt, &pt);
    if (!m_bNoFeedback) DrawDropFeedback(bCatalogue);
    if (bCatalogue) {
      const RECT& src = (::GetAsyncKeyState(VK_CONTROL) < 0) ? m_rcDropPicture : m_rcDropItem;
      const int hw = (src.right - src.left) / 2, hh = (src.bottom - src.top) / 2;
      m_rcDropFeedback = {pt.x - hw, pt.y - hh, pt.x + hw, pt.y + hh};
    } else {
      m_DropOutlines[0]->MoveTo(&pt, 1);
    }
    DrawDropFeedback(bCatalogue);
    m_bNoFeedback = FALSE;
    m_ptLastDrag = pt;
    m_bDropCatalogue = bCatalogue;
  }
  return DROPEFFECT_COPY;
}

void qvzView::OnDragLeave() {
  if (m_DropOutlines.size() == 1 && !m_bNoFeedback) DrawDropFeedback(m_bDropCatalogue);
  m_bNoFeedback = TRUE;
  // The capture taken when the drag came in goes with it.
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  CView::OnDragLeave();
}

DROPEFFECT qvzView::OnDragScroll(DWORD dwKeyState, CPoint point) { return DROPEFFECT_SCROLL; }

BOOL qvzView::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
  DeleteDropOutlines();
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  ClearSelection();
  if (pDataObject->IsDataAvailable(CatalogFormat())) {
    HGLOBAL h = pDataObject->GetGlobalData(CatalogFormat());
    if (h == NULL) return FALSE;
    if (::GetAsyncKeyState(VK_CONTROL) < 0 || jvqIsKeyDown(VK_CONTROL)) DropCatalogPicture(h, point);
    else DropCatalogItem(h, point);
    RefreshBar();
    ::GlobalFree(h);
  } else {
    STGMEDIUM medium;
    if (pDataObject->IsDataAvailable(CF_HDROP) && pDataObject->GetData(CF_HDROP, &medium)) {
      InsertDroppedFiles((HDROP)medium.hGlobal, point);
      ::ReleaseStgMedium(&medium);
      RefreshBar();
    }
  }
  OnDragLeave();
  SetModifiedFlag(TRUE);
  if (CFrameWnd* f = GetParentFrame()) {
    BringWindowToForeground(f);
    f->ActivateFrame(SW_SHOW);
  }
  if (m_hWnd) SetFocus();
  Redraw();
  jvqGetViewHost()->ShowDocumentInfo();
  return TRUE;
}

void qvzView::DropCatalogPicture(HGLOBAL hData, CPoint point) {
  POINT pt = point;
  PointToLogical(&pt, &pt);
  CString path;
  jvqPage* page = GetCurrentPage();
  if (FirstString(hData, &path) && page && path.GetLength() >= 4 &&
      IsOneOf(Ending(path), {".bmp", ".dib", ".rle", ".wmf", ".jpg", ".png", ".tif", ".emf", ".dxf"})) {
    if (jvqObject* pic = MakePictureFromFile(path)) {
      pic->MoveTo(&pt, 1);
      page->AddChild(pic);
      Select(pic, FALSE);
      theUndoManager.RecordAdded(pic);
    }
  }
  ClearSelection();
}

int qvzView::DropCatalogItem(HGLOBAL hData, CPoint point) {
  POINT pt = point;
  PointToLogical(&pt, &pt);
  const SIZE_T size = ::GlobalSize(hData);
  const char* p = size ? (const char*)::GlobalLock(hData) : NULL;
  if (p == NULL) return 0;
  // The block is read within its size: an item without its terminators places nothing.
  m_pCatalogSettings->PasteItem(GetDocument(), p, (size_t)size, pt);
  ::GlobalUnlock(hData);
  return 1;
}

// A text object of a text file's bytes, the size of its text and at most the page's.
jvqObject* qvzView::MakeTextFromFile(LPCTSTR lpszPath) {
  CFile f;
  if (!f.Open(lpszPath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return NULL;
  const ULONGLONG len = f.GetLength();
  if (len > 0x1000000) return NULL;
  std::vector<char> buf((size_t)len + 1, 0);
  try {
    if (len) f.Read(buf.data(), (UINT)len);
  } catch (CException* e) {
    e->Delete();
    return NULL;
  }
  jvqObject* proto = jvqObjectDefaults::GetObjectDefaults()->FindPrototype(JVQ_OBJ_TEXT);
  jvqTextObject* t = proto ? (jvqTextObject*)proto->Clone() : NULL;
  if (t == NULL) return NULL;
  t->m_pView = &m_Mapping;
  t->SetText(buf.data());
  if (t->GetTextFill()) t->GetTextFill()->SetText(buf.data());
  t->RecalcLayout();
  RECT b;
  t->GetBoundRect(&b);
  SIZE page = {0, 0};
  GetPageSize(&page);
  const RECT r = {0, 0, std::min<LONG>(b.right - b.left, page.cx > 0 ? page.cx : LONG_MAX),
                  std::min<LONG>(b.bottom - b.top, page.cy > 0 ? page.cy : LONG_MAX)};
  t->SetRect(&r, &m_Mapping, 0x311);
  return t;
}

void qvzView::InsertDroppedFiles(HDROP hDrop, CPoint point) {
  POINT p = point;
  PointToLogical(&p, &p);
  jvqPage* page = GetCurrentPage();
  if (page == NULL) return;
  for (const CString& path : DroppedFiles(hDrop)) {
    if (path.GetLength() < 4) continue;
    const CString e = Ending(path);
    if (e == ".txt") {
      jvqObject* t = MakeTextFromFile(path);
      if (t == NULL) return;
      page->AddChild(t);
      Select(t, FALSE);
      t->MoveTo(&p, 1);
      // Undo takes a dropped text away like any other addition.
      theUndoManager.RecordAdded(t);
    } else if (IsOneOf(e, {".bmp", ".dib", ".rle", ".wmf", ".jpg", ".png", ".tif", ".emf", ".dxf", ".k3d", ".vqc",
                           ".kjq"})) {
      jvqObject* pic = MakePictureFromFile(path);
      if (pic == NULL) continue;
      pic->MoveTo(&p, 1);
      p.x += 50;
      p.y += 50;
      page->AddChild(pic);
      Select(pic, FALSE);
      theUndoManager.RecordAdded(pic);
    } else if (e == ".kxq") {
      jvqObject* plan = MakeFloorPlanFromFile(path);
      if (plan == NULL) continue;
      page->AddChild(plan);
      plan->MoveTo(&p, 1);
      theUndoManager.RecordAdded(plan);
      p.x += 50;
      p.y += 50;
      Select(plan, FALSE);
    } else if (e == ".tqz") {
      jvqObject* sym = MakeSymbolFromFile(path);
      if (sym == NULL) continue;
      page->AddChild(sym);
      Select(sym, FALSE);
      sym->MoveTo(&p, 1);
      theUndoManager.RecordAdded(sym);
      p.x += 50;
      p.y += 50;
    } else if (e == ".vqd") {
      jvqGetViewHost()->OpenBoard(path);
      return;
    } else {
      InsertOleObjectFromFile(path, p);
    }
  }
}

void BringWindowToForeground(CFrameWnd* pFrame) {
  if (pFrame == NULL || pFrame->m_hWnd == NULL) return;
  HWND fg = ::GetForegroundWindow();
  const DWORD fgThread = fg ? ::GetWindowThreadProcessId(fg, NULL) : 0;
  const DWORD myThread = ::GetWindowThreadProcessId(pFrame->m_hWnd, NULL);
  if (fgThread && fgThread != myThread && !::AttachThreadInput(myThread, fgThread, TRUE)) {
    ::Sleep(1000);
    ::AttachThreadInput(myThread, fgThread, TRUE);
  }
  ::SetForegroundWindow(pFrame->m_hWnd);
  if (fgThread && fgThread != myThread) ::AttachThreadInput(myThread, fgThread, FALSE);
}
