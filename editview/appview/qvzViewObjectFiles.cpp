// Object files (".qzl") and the favourites: the thumbnail renderer, the writer, placing a
// library object, and the view's commands that register, move, delete, rename and reorder
// favourites. The folder rules and the reader are qvzContentFolders and qvzObjectFileReader.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "Dib.h"
#include "afxreplace.h"
#include "jvqDocument.h"
#include "jvqFileHeader.h"
#include "jvqFill.h"
#include "jvqGroupObject.h"
#include "jvqPage.h"
#include "jvqUndoManager.h"
#include "jvqViewHost.h"
#include "jvqViewMapping.h"
#include "qvzContentFolders.h"
#include "qvzView.h"

#define QVZ_VERSION_OBJECT 91530
#define QVZ_VERSION_EMBEDDED 91100

static void SetOwnerOf(jvqObject* o, jvqViewMapping* v) {
  if (o->GetClassCode() & 0x40) SetOwnerRecursive((jvqGroupObject*)o, v);
  else o->m_pView = v;
}

CDib* qvzView::RenderObjectThumbnail(CWnd* pWnd, jvqObject* pObject, int nWidth, int nHeight) {
  if (pWnd == NULL || pObject == NULL || nWidth < 1 || nHeight < 1) return NULL;
  POINT centre;
  pObject->GetCenter(&centre);
  CClientDC screen(pWnd);
  CDC dc;
  CBitmap bmp;
  if (!dc.CreateCompatibleDC(&screen) || !bmp.CreateCompatibleBitmap(&screen, nWidth, nHeight)) return NULL;
  CBitmap* old = dc.SelectObject(&bmp);
  dc.FillSolidRect(0, 0, nWidth, nHeight, RGB(255, 255, 255));
  POINT origin = {0, 0};
  pObject->MoveTo(&origin, 2);
  pObject->MoveTo(&origin, 3);
  RECT b;
  pObject->GetOutline()->GetBoundRect(&b);
  const int w = b.right - b.left, h = b.bottom - b.top;
  jvqViewMapping mapping;
  mapping.m_pOwnerWnd = NULL;
  mapping.m_nClientWidth = nWidth;
  mapping.m_nClientHeight = nHeight;
  mapping.m_nPageWidth = w;
  mapping.m_nPageHeight = h;
  mapping.m_nMinMarginX = mapping.m_nMinMarginY = 0;
  // The object's size in pixels at 100 percent, as the mapping counts it.
  const double pxPerUnitX = screen.GetDeviceCaps(HORZRES) / (screen.GetDeviceCaps(HORZSIZE) * 10.0);
  const double pxPerUnitY = screen.GetDeviceCaps(VERTRES) / (screen.GetDeviceCaps(VERTSIZE) * 10.0);
  // A horizontal or vertical line has one axis of no size: only the other one counts.
  double fit = 0;
  if (w > 0) fit = nWidth / (w * pxPerUnitX);
  if (h > 0) fit = fit > 0 ? std::min(fit, nHeight / (h * pxPerUnitY)) : nHeight / (h * pxPerUnitY);
  mapping.m_dZoom = std::max(fit * 100.0, 1.0) * 0.95;
  if (w > 0 || h > 0) {
    const DWORD state = pObject->m_dwState;
    jvqViewMapping* owner = pObject->m_pView;
    pObject->m_dwState |= JVQ_STATE_VISIBLE | JVQ_STATE_FILLED;
    SetOwnerOf(pObject, &mapping);
    const int saved = dc.SaveDC();
    mapping.PrepareDC(&dc);
    pObject->Render(&dc);
    dc.RestoreDC(saved);
    SetOwnerOf(pObject, owner);
    pObject->m_dwState = state;
  }
  dc.SelectObject(old);
  CDib* dib = new CDib;
  if (!dib->CreateFromBitmap((HBITMAP)bmp.GetSafeHandle())) {
    delete dib;
    dib = NULL;
  }
  pObject->MoveTo(&centre, 1);
  return dib;
}

BOOL qvzView::HoldsPictureFill(jvqObject* pObject) {
  if (pObject == NULL) return FALSE;
  if (pObject->GetFill() && (pObject->GetFill()->GetFlags() & FILL_IMAGE)) return TRUE;
  if (pObject->GetClassCode() & 0x40) {
    jvqGroupObject* g = (jvqGroupObject*)pObject;
    for (int i = 0; i < g->GetChildCount(); i++)
      if (HoldsPictureFill(g->GetChild(i))) return TRUE;
  }
  return FALSE;
}

int qvzView::ObjectFileVersion(jvqObject* pObject) {
  // A picture anywhere inside travels embedded: a bare pool id would name another
  // document's picture.
  if ((pObject->GetClassCode() & (0x100 | 0x40)) || HoldsPictureFill(pObject)) return QVZ_VERSION_EMBEDDED;
  return QVZ_VERSION_OBJECT;
}

static void WriteString(CFile& f, LPCTSTR s) {
  const int32_t n = (int32_t)strlen(s) + 1;
  f.Write(&n, 4);
  f.Write(s, (UINT)n);
}

BOOL qvzView::WriteObjectFile(LPCTSTR lpszPath, jvqObject* pObject, jvqDocument* pDocument, LPCTSTR lpszName,
                              LPCTSTR lpszComment, CDib* pThumbnail) {
  if (pThumbnail == NULL && pObject != NULL) {
    CWnd* w = NULL;
    if (pDocument) {
      POSITION pos = pDocument->GetFirstViewPosition();
      w = pos ? pDocument->GetNextView(pos) : NULL;
    }
    pThumbnail = RenderObjectThumbnail(w ? w : CWnd::GetDesktopWindow(), pObject, 60, 60);
  }
  BOOL ok = FALSE;
  if (lpszPath && *lpszPath && pObject && pThumbnail && lpszName && lpszComment) {
    jvqFileHeader header;
    header.m_nVersion = ObjectFileVersion(pObject);
    header.m_pDocument = pDocument;
    header.m_pImagePool = pDocument ? pDocument->GetImagePool() : NULL;
    // A whole new file replaces the old one only once it is written: no half file, no old tail.
    ok = AfxReplaceFile(lpszPath, [&](LPCTSTR lpszTemp) -> BOOL {
      CFile f;
      if (!f.Open(lpszTemp, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary)) return FALSE;
      try {
        const int32_t version = header.m_nVersion;
        f.Write(&version, 4);
        f.Write("image", 5);
        const int32_t size = (int32_t)pThumbnail->GetSize();
        f.Write(&size, 4);
        if (!pThumbnail->Write(&f) || !pObject->Store(&f, &header)) return FALSE;
        WriteString(f, lpszName);
        WriteString(f, lpszComment);
        f.Close();
      } catch (CException* e) {
        e->Delete();
        return FALSE;
      }
      return TRUE;
    });
  }
  delete pThumbnail;
  return ok;
}

void qvzView::InsertObjectAt(jvqObject* pObject, int x, int y) {
  jvqPage* page = GetCurrentPage();
  if (m_hWnd) SetFocus();
  if (pObject == NULL || page == NULL) return;
  jvqObject* clone = pObject->Clone();
  if (clone == NULL) return;
  page->AddChild(clone);
  POINT pt = {x, y};
  PointToLogical(&pt, &pt);
  clone->MoveTo(&pt, 1);
  theUndoManager.RecordAdded(clone);
  // A new select tool, so the view never keeps a tool it has deleted.
  SwitchToSelectTool();
  RefreshBar();
  Redraw();
}

BOOL qvzView::GroupHasOleObject(jvqObject* pGroup) {
  if (pGroup == NULL || !(pGroup->GetClassCode() & 0x40)) return FALSE;
  jvqGroupObject* g = (jvqGroupObject*)pGroup;
  for (int i = 0; i < g->GetChildCount(); i++) {
    jvqObject* c = g->GetChild(i);
    if ((c->GetClassCode() & 0x80) || GroupHasOleObject(c)) return TRUE;
  }
  return FALSE;
}

// Favourites.

CString qvzView::GetFavoritesFolder() const {
  return m_strFavoritesFolder.IsEmpty() ? qvzGetProgramFolder() + "お気に入り\\" : qvzFolderPrefix(m_strFavoritesFolder);
}

int qvzView::ReloadFavoriteCategories() {
  ReadCategoryList(m_FavoriteCategories, GetFavoritesFolder());
  return 1;
}

// The category of a favourites command: the k-th, or a new one the user names.
static BOOL ChooseCategory(qvzView* v, int k, int nListed, CString* pName) {
  POSITION pos = k >= 0 && k < nListed ? v->m_FavoriteCategories.FindIndex(k) : NULL;
  if (pos) *pName = v->m_FavoriteCategories.GetAt(pos);
  else if (!jvqGetViewHost()->AskNewFavoriteCategory(pName)) return FALSE;
  v->ReloadFavoriteCategories();
  return TRUE;
}

// Appends a name to a folder's order file, or builds that file from the folder's files.
static BOOL AddToOrderFile(const CString& folder, const CString& name) {
  const CString path = folder + "info.txt";
  if (!FileExists(path)) return RebuildFolderIndex(folder) != 0;
  CFile f;
  if (!f.Open(path, CFile::modeWrite | CFile::modeNoTruncate | CFile::shareDenyNone | CFile::typeBinary)) return FALSE;
  try {
    f.SeekToEnd();
    const CString line = name + "\r\n";
    f.Write((LPCTSTR)line, (UINT)line.GetLength());
    f.Close();
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

static BOOL WriteOrderFile(const CString& folder, const CStringArray& names) {
  CString text;
  for (int i = 0; i < names.GetSize(); i++) text += names[i] + "\r\n";
  return AfxReplaceFileData(folder + "info.txt", (LPCTSTR)text, (size_t)text.GetLength());
}

static int FindName(const CStringArray& names, const CString& name) {
  for (int i = 0; i < names.GetSize(); i++)
    if (names[i] == name) return i;
  return -1;
}

static void RememberCategory(qvzView* v, const CString& category, int k) {
  int index = 0;
  POSITION pos = v->m_FavoriteCategories.GetHeadPosition();
  while (pos && v->m_FavoriteCategories.GetNext(pos) != category) index++;
  if (index >= v->m_FavoriteCategories.GetCount()) index = k;
  if (CWinApp* app = AfxGetApp()) app->WriteProfileInt("Favorite", "LastSelect", index);
}

BOOL qvzView::OnRegisterFavorite(UINT nID) {
  if (m_hWnd) SetFocus();
  jvqObject* o = GetSelectedCount() == 1 ? GetSelectedObject(0) : NULL;
  if (o == NULL) return TRUE;
  jvqViewHost* host = jvqGetViewHost();
  if (o->GetClassCode() & 0x80) {
    host->MessageBox("OLEオブジェクトはお気に入りに登録することはできません。", MB_OK);
    return TRUE;
  }
  if (GroupHasOleObject(o)) {
    host->MessageBox("OLEオブジェクトを含むグループオブジェクトはお気に入りに登録することはできません。", MB_OK);
    return TRUE;
  }
  const int k = (int)nID - QVZ_FAVORITE_REGISTER_FIRST;
  // Without a menu shown first (an accelerator, a posted command) the list is read now.
  if (m_FavoriteCategories.IsEmpty()) ReloadFavoriteCategories();
  CString category;
  // The menu lists at most 99 categories; its last item asks for a new one.
  if (!ChooseCategory(this, k, ListedFavoriteCategories(), &category)) return TRUE;
  const CString folder = GetFavoritesFolder() + category + "\\";
  LPCTSTR unique = MakeUniqueFileName(folder, "新規", "qzl", 0);
  if (unique == NULL) return TRUE;
  const CString base = unique;
  // A file that could not be written is not listed.
  if (!WriteObjectFile(folder + base + ".qzl", o, GetDocument(), base, base, NULL)) return TRUE;
  if (!AddToOrderFile(folder, base)) return TRUE;
  RememberCategory(this, category, k);
  OnPaletteCommand(32944);
  host->ShowFavorites(folder, base);
  ClearSelection();
  Redraw();
  return TRUE;
}

void qvzView::OnUpdateRegisterFavorite(CCmdUI* pCmdUI) { pCmdUI->Enable(GetSelectedCount() == 1); }

BOOL qvzView::OnMoveFavorite(UINT nID) {
  if (m_hWnd) SetFocus();
  CString source, name;
  jvqViewHost* host = jvqGetViewHost();
  if (!host->GetFavoriteSelection(&source, &name) || name.IsEmpty()) return TRUE;
  source = qvzFolderPrefix(source);
  const int k = (int)nID - QVZ_FAVORITE_MOVE_FIRST;
  CString category;
  if (!ChooseCategory(this, k, (int)m_FavoriteCategories.GetCount(), &category)) return TRUE;
  const CString folder = GetFavoritesFolder() + category + "\\";
  if (folder.CompareNoCase(source) == 0) return TRUE;
  CString target = name;
  if (FileExists(folder + name + ".qzl")) {
    LPCTSTR unique = MakeUniqueFileName(folder, name + "_", "qzl", 1);
    if (unique == NULL) return TRUE;
    target = unique;
  }
  // The source goes only once its copy stands.
  if (!::CopyFile(source + name + ".qzl", folder + target + ".qzl", FALSE)) return TRUE;
  ::DeleteFile(source + name + ".qzl");
  CStringArray names;
  if (ReadOrderFile(source + "info.txt", names)) {
    const int i = FindName(names, name);
    if (i >= 0) names.RemoveAt(i);
    WriteOrderFile(source, names);
  }
  AddToOrderFile(folder, target);
  RememberCategory(this, category, k);
  OnPaletteCommand(32944);
  host->ShowFavorites(folder, target);
  return TRUE;
}

// The selected favourite's folder, name, the folder's order and its index in it.
static BOOL GetSelectedFavorite(CString* pFolder, CString* pName, CStringArray& names, int* pIndex) {
  if (!jvqGetViewHost()->GetFavoriteSelection(pFolder, pName) || pName->IsEmpty()) return FALSE;
  *pFolder = qvzFolderPrefix(*pFolder);
  if (!ReadOrderFile(*pFolder + "info.txt", names)) return FALSE;
  *pIndex = FindName(names, *pName);
  return *pIndex >= 0;
}

void qvzView::OnDeleteFavorite() {
  CString folder, name;
  CStringArray names;
  int i;
  if (!GetSelectedFavorite(&folder, &name, names, &i)) return;
  CString text;
  text.Format("%sをお気に入りから削除します。よろしいですか?", (LPCTSTR)name);
  jvqViewHost* host = jvqGetViewHost();
  if (host->MessageBox(text, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
  names.RemoveAt(i);
  WriteOrderFile(folder, names);
  const int next = std::min(i, (int)names.GetSize() - 1);
  host->ShowFavorites(folder, next >= 0 ? (LPCTSTR)names[next] : "");
  ::DeleteFile(folder + name + ".qzl");
}

void qvzView::OnRenameFavorite() {
  if (m_hWnd) SetFocus();
  CString folder, name;
  CStringArray names;
  int i;
  if (!GetSelectedFavorite(&folder, &name, names, &i)) return;
  CString newName = name;
  jvqViewHost* host = jvqGetViewHost();
  if (!host->AskFavoriteRename(folder, &newName) || newName.IsEmpty() || newName == name) return;
  // A name whose file exists is refused: the copy fails and the old file stays.
  if (!::CopyFile(folder + name + ".qzl", folder + newName + ".qzl", TRUE)) return;
  ::DeleteFile(folder + name + ".qzl");
  names[i] = newName;
  WriteOrderFile(folder, names);
  host->ShowFavorites(folder, newName);
}

BOOL qvzView::OnReorderFavorite(UINT nID) {
  CString folder, name;
  CStringArray names;
  int i;
  if (!GetSelectedFavorite(&folder, &name, names, &i)) return TRUE;
  const int last = (int)names.GetSize() - 1;
  int to = i;
  switch (nID) {
    case QVZ_FAVORITE_UP: to = i - 1; break;
    case QVZ_FAVORITE_DOWN: to = i + 1; break;
    case QVZ_FAVORITE_TOP: to = 0; break;
    case QVZ_FAVORITE_BOTTOM: to = last; break;
  }
  if (to < 0 || to > last || to == i) return TRUE;
  // One place at a time, as the steps up and down go.
  for (int at = i; at != to; at += to > i ? 1 : -1) {
    const int other = to > i ? at + 1 : at - 1;
    const CString t = names[at];
    names[at] = names[other];
    names[other] = t;
  }
  WriteOrderFile(folder, names);
  jvqGetViewHost()->ShowFavorites(folder, name);
  return TRUE;
}

void qvzView::OnUpdateFavoriteItem(CCmdUI* pCmdUI) {
  CString folder, name;
  BOOL shown = jvqGetViewHost()->GetFavoriteSelection(&folder, &name);
  if (!shown || pCmdUI->m_nID == QVZ_FAVORITE_DELETE || pCmdUI->m_nID == QVZ_FAVORITE_RENAME) {
    pCmdUI->Enable(shown);
    return;
  }
  CStringArray names;
  int i;
  if (!GetSelectedFavorite(&folder, &name, names, &i)) {
    pCmdUI->Enable(FALSE);
    return;
  }
  const BOOL up = pCmdUI->m_nID == QVZ_FAVORITE_UP || pCmdUI->m_nID == QVZ_FAVORITE_TOP;
  pCmdUI->Enable(up ? i > 0 : i < (int)names.GetSize() - 1);
}
