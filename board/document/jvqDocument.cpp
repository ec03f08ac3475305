#include "jvqDocument.h"

#include <cstdint>
#include <vector>

#include "Dib.h"
#include "afxreplace.h"
#include "afxres.h"
#include "jvqBoard.h"
#include "jvqBoardStream.h"
#include "jvqImageFill.h"
#include "jvqImageObject.h"
#include "jvqImagePool.h"
#include "jvqClipboardBlock.h"
#include "jvqCompoundFile.h"
#include "jvqFileHeader.h"
#include "jvqFill.h"
#include "jvqMemFile.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqTextObject.h"
#include "jvqUndoManager.h"
#include "jvqViewMapping.h"

IMPLEMENT_DYNCREATE(jvqDocument, COleDocument)

UINT theClipboardFormat = 0;
void (*jvqDocument::s_pfnBeforeReplace)(LPCTSTR, LPCTSTR) = NULL;

static const char kPasteCorrupt[] =
    "クリップボード内のデータが破損しているか、メモリが不足しているため、データを貼り付けることができません。";

static const char kOlePasteLeftOut[] =
    "埋め込みオブジェクトは、コピーした文書にだけ貼り付けることができます。埋め込みオブジェクトを除いて貼り付けました。";

// The document whose copy the clipboard holds, and the clipboard's state just after it.
jvqDocument* jvqDocument::s_pCopiedFrom = NULL;
DWORD jvqDocument::s_dwCopySequence = 0;

UINT jvqRegisterClipboardFormat() {
  if (theClipboardFormat == 0) theClipboardFormat = ::RegisterClipboardFormat("JVQ_CLIPBOARD");
  return theClipboardFormat;
}

UINT theOwnerLinkFormat = 0, theOleLinkFormat = 0;

void jvqRegisterLinkFormats() {
  theOwnerLinkFormat = ::RegisterClipboardFormat("JVQ_OWNER_LINK");
  theOleLinkFormat = ::RegisterClipboardFormat("JVQ_OLE_LINK");
}

static jvqFileHeader* HeaderOfDocument(jvqDocument* pDocument) { return pDocument ? pDocument->m_pHeader : NULL; }

// Pictures made without a document at hand (prototypes, pastes) go into the registry's.
static jvqImagePool* PoolOfRegistryDocument() {
  jvqDocument* d = jvqObjectDefaults::GetObjectDefaults()->GetDocument();
  return d ? d->GetImagePool() : NULL;
}

jvqDocument::jvqDocument() : m_pBoard(NULL), m_pHeader(NULL), m_pThumbnail(NULL), m_pImagePool(NULL) {
  EnableCompoundFile();
  jvqGroupObject::s_pfnHeaderOf = HeaderOfDocument;
  if (jvqImageFill::s_pfnDefaultPool == NULL) jvqImageFill::s_pfnDefaultPool = PoolOfRegistryDocument;
}

jvqDocument::~jvqDocument() {
  if (s_pCopiedFrom == this) s_pCopiedFrom = NULL;
  // The undo records and the registry point into this document; neither may outlive it.
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  if (d->GetDocument() == this) {
    d->SetDocument(NULL);
    theUndoManager.Reset(NULL, NULL, NULL);
  }
  FreeContents();
}

CView* jvqDocument::GetFirstView() {
  CView* pLast = NULL;
  POSITION pos = GetFirstViewPosition();
  while (pos != NULL) pLast = GetNextView(pos);
  return pLast;
}

void jvqDocument::FreeContents() {
  if (s_pCopiedFrom == this) s_pCopiedFrom = NULL;  // its records name items no more
  delete m_pBoard;
  m_pBoard = NULL;
  delete m_pHeader;
  m_pHeader = NULL;
  delete m_pThumbnail;
  m_pThumbnail = NULL;
  // After the board: its picture fills release their entries into the pool.
  delete m_pImagePool;
  m_pImagePool = NULL;
  // Closing each item ends any server it started.
  m_OleItems.clear();
  POSITION pos = GetStartPosition();
  while (COleClientItem* p = GetNextClientItem(pos)) {
    p->Delete(TRUE);
    pos = GetStartPosition();
  }
}

int jvqDocument::AddOleItem(COleClientItem* pItem) {
  m_OleItems.push_back(pItem);
  return (int)m_OleItems.size() - 1;
}

namespace {

// The items read from a file are kept apart while the document is reset, then return.
std::vector<COleClientItem*> TakeItemsFrom(COleDocument* pDoc, INT_PTR nFirst) {
  std::vector<COleClientItem*> out;
  while (pDoc->GetItemCount() > nFirst) {
    COleClientItem* p = (COleClientItem*)pDoc->m_docItemList.GetTail();
    out.insert(out.begin(), p);
    pDoc->RemoveItem(p);
  }
  return out;
}

}  // namespace

void jvqDocument::ResetContents() {
  FreeContents();
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  d->SetDocument(this);
  m_pBoard = new jvqBoard(d->GetDefaultView());
  m_pImagePool = new jvqImagePool;
  m_pHeader = new jvqFileHeader;
  m_pHeader->m_nPageCount = 1;
  m_pHeader->m_pDocument = this;
  m_pHeader->m_pImagePool = m_pImagePool;
  DeleteContents();
  theUndoManager.Reset(GetFirstView(), UndoHideHook, UndoReviveHook);
  SetModifiedFlag(FALSE);
}

BOOL jvqDocument::IsModified() { return m_bModified; }
void jvqDocument::SetModifiedFlag(BOOL bModified) { m_bModified = bModified; }

BOOL jvqDocument::OnNewDocument() {
  if (!CDocument::OnNewDocument()) return FALSE;
  ResetContents();
  return TRUE;
}

void jvqDocument::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    delete m_pThumbnail;
    m_pThumbnail = NULL;
    if (m_pHeader->m_nVersion >= JVQ_VERSION_THUMBNAIL) m_pThumbnail = MakeThumbnail(m_pBoard->GetPage(0), 147, 158);
    m_pHeader->m_pImagePool = m_pImagePool;
    jvqBoardStream::Write(ar, m_pHeader, m_pBoard, m_pThumbnail, FALSE);
    // The item list in index order; without a file storage the items cannot be kept.
    const DWORD n = m_lpRootStg != NULL ? (DWORD)m_OleItems.size() : 0;
    ar << n;
    for (DWORD i = 0; i < n; i++) ar.WriteObject(m_OleItems[i]);
    ar.Flush();
    return;
  }
  // Read beside the current contents: only a whole board replaces them.
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  jvqFileHeader* pHeader = new jvqFileHeader;
  pHeader->m_pDocument = this;
  jvqImagePool* pPool = new jvqImagePool;
  pHeader->m_pImagePool = pPool;
  jvqBoard* pBoard = new jvqBoard(d->GetDefaultView());
  CDib* pThumb = NULL;
  std::vector<COleClientItem*> items;
  jvqFileHeader* pOldHeader = m_pHeader;
  m_pHeader = pHeader;  // the version context of the records being read
  try {
    DWORD nItems = 0;
    jvqBoardStream::Read(ar, pHeader, pBoard, &pThumb, &nItems);
    const INT_PTR nBefore = GetItemCount();
    LoadItems(ar, nItems);
    items = TakeItemsFrom(this, nBefore);
  } catch (...) {
    delete pThumb;
    m_pHeader = pOldHeader;
    delete pHeader;
    delete pBoard;  // its picture fills release into the new pool, which goes after it
    delete pPool;
    throw;
  }
  m_pHeader = pOldHeader;
  ResetContents();
  delete m_pBoard;
  delete m_pHeader;
  delete m_pImagePool;
  m_pBoard = pBoard;
  m_pHeader = pHeader;
  m_pImagePool = pPool;
  m_pThumbnail = pThumb;
  for (COleClientItem* p : items) {
    AddItem(p);
    AddOleItem(p);
  }
}

BOOL jvqDocument::OpenStorageFile(LPCTSTR lpszPathName) {
  CFile* pFile = NULL;
  try {
    pFile = jvqCompoundFile::OpenContents(lpszPathName);
    CArchive ar(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
    ar.m_pDocument = this;
    jvqStreamFile* pStream = dynamic_cast<jvqStreamFile*>(pFile);
    m_lpRootStg = pStream ? pStream->GetStorage() : NULL;
    try {
      CWaitCursor wait;
      Serialize(ar);
      ar.Close();
    } catch (...) {
      m_lpRootStg = NULL;
      ar.Abort();
      throw;
    }
    m_lpRootStg = NULL;
    delete pFile;
  } catch (CException* e) {
    delete pFile;
    ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    e->Delete();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL jvqDocument::OnOpenDocument(LPCTSTR lpszPathName) {
  if (m_pBoard == NULL) ResetContents();
  return OpenStorageFile(lpszPathName);
}

BOOL jvqDocument::SaveStorageFile(LPCTSTR lpszPathName) {
  jvqStreamFile* pFile = NULL;
  try {
    pFile = jvqCompoundFile::CreateContents(lpszPathName);
    CArchive ar(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
    ar.m_pDocument = this;
    m_lpRootStg = pFile->GetStorage();
    try {
      CWaitCursor wait;
      Serialize(ar);
      ar.Close();
    } catch (...) {
      m_lpRootStg = NULL;
      ar.Abort();
      throw;
    }
    m_lpRootStg = NULL;
    pFile->Commit();
    pFile->Close();
    delete pFile;
  } catch (CException* e) {
    delete pFile;
    ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

BOOL jvqDocument::BeforeReplace(LPCTSTR lpszFinished, LPCTSTR lpszTarget) {
  if (s_pfnBeforeReplace) s_pfnBeforeReplace(lpszFinished, lpszTarget);
  return TRUE;
}

BOOL jvqDocument::OnSaveDocument(LPCTSTR lpszPathName) {
  // Written in full beside the target first; the old file is replaced only by a whole one.
  if (!AfxReplaceFile(lpszPathName, [&](LPCTSTR lpszTemp) -> BOOL {
        return SaveStorageFile(lpszTemp) && BeforeReplace(lpszTemp, lpszPathName);
      }))
    return FALSE;
  SetModifiedFlag(FALSE);
  return TRUE;
}

void jvqDocument::InsertPage(int nKind) {
  if (nKind < 0 || nKind > 2 || m_pBoard == NULL) return;
  jvqPage* p = new jvqPage;
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(p);
  m_pBoard->InsertPage(m_pBoard->GetCurrentPageIndex(), p);
  m_pBoard->NextPage();
}

CDib* jvqDocument::MakeThumbnail(jvqPage* pPage, int nWidth, int nHeight) {
  return RenderPageToDib(GetFirstView(), pPage, nWidth, nHeight);
}

HWND jvqDocument::GetClipboardOwner() {
  CView* pView = GetFirstView();
  if (pView && pView->m_hWnd) return pView->m_hWnd;
  // Without a view the clipboard needs an owner all the same: SetClipboardData fails
  // for a clipboard opened without a window.
  static HWND s_hOwner = NULL;
  if (s_hOwner == NULL || !::IsWindow(s_hOwner))
    s_hOwner = ::CreateWindowEx(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, ::GetModuleHandle(NULL), NULL);
  return s_hOwner;
}

void jvqDocument::CopyObjectsToClipboard(jvqObjectArray& objects) {
  if (objects.GetCount() == 0 || m_pHeader == NULL) return;
  if (!::OpenClipboard(GetClipboardOwner())) return;
  ::EmptyClipboard();
  CWaitCursor wait;
  jvqMemFile file(1024);
  const int nSaved = m_pHeader->m_nVersion;
  try {
    int32_t n = objects.GetCount();
    file.Write(&n, 4);
    BOOL bPictureOffered = FALSE;
    for (jvqObject* p : objects.m_items) {
      // The first picture also goes in the standard formats, for other programs.
      if ((p->GetClassCode() & 0x100) && !bPictureOffered) {
        static_cast<jvqImageObject*>(p)->CopyToClipboard();
        bPictureOffered = TRUE;
      }
      m_pHeader->m_nVersion = p->GetClassCode() == JVQ_OBJ_BANNER ? JVQ_VERSION_CURRENT : JVQ_VERSION_CLIPBOARD;
      BOOL bOk = p->Store(&file, m_pHeader);
      m_pHeader->m_nVersion = nSaved;
      if (!bOk) AfxThrowMemoryException();
    }
    if (::SetClipboardData(jvqRegisterClipboardFormat(), file.GetHandle()) == NULL) AfxThrowMemoryException();
    file.Close();  // the block is the clipboard's now
    s_pCopiedFrom = this;
  } catch (CException* e) {
    e->Delete();
    m_pHeader->m_nVersion = nSaved;
    file.FreeBlock();
    ::CloseClipboard();
    AfxMessageBox("クリップボードへのコピーに失敗しました。");
    return;
  }
  ::CloseClipboard();
  s_dwCopySequence = ::GetClipboardSequenceNumber();
}

static BOOL PictureOnClipboard() {
  return ::IsClipboardFormatAvailable(CF_BITMAP) || ::IsClipboardFormatAvailable(CF_DIB) ||
         ::IsClipboardFormatAvailable(CF_ENHMETAFILE);
}

BOOL jvqDocument::CanPaste() {
  return ::IsClipboardFormatAvailable(jvqRegisterClipboardFormat()) || PictureOnClipboard() ||
         ::IsClipboardFormatAvailable(CF_TEXT);
}

jvqObject* jvqDocument::PastePicture() {
  jvqViewMapping* pView = jvqObjectDefaults::GetObjectDefaults()->GetDefaultView();
  jvqImageObject* p = new jvqImageObject(m_pImagePool, NULL, pView);
  p->SetFill(new jvqImageFill(NULL, m_pImagePool));
  if (!p->LoadFromClipboard()) {
    delete p;
    return NULL;
  }
  p->Recalc();
  if (pView != NULL) {
    // At the centre of the view's client area.
    RECT client = {pView->m_nClientWidth / 2, pView->m_nClientHeight / 2, pView->m_nClientWidth / 2,
                   pView->m_nClientHeight / 2};
    pView->RectToLogical(&client);
    POINT c;
    p->GetCenter(&c);
    const SIZE d = {client.left - c.x, client.top - c.y};
    p->Offset(&d);
  }
  return p;
}

jvqObject* jvqDocument::PasteText() {
  HGLOBAL h = ::GetClipboardData(CF_TEXT);
  const char* pText = h ? (const char*)::GlobalLock(h) : NULL;
  if (pText == NULL) return NULL;
  // Another process's block: only as far as it goes, and up to its first zero.
  const SIZE_T nSize = ::GlobalSize(h);
  SIZE_T n = 0;
  while (n < nSize && pText[n] != 0) n++;
  const CString text(pText, (int)n);
  ::GlobalUnlock(h);

  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  jvqViewMapping* pView = d->GetDefaultView();
  jvqObject* proto = d->FindPrototype(JVQ_OBJ_TEXT);
  jvqTextObject* t = proto ? (jvqTextObject*)proto->Clone() : jvqTextObject::MakeDefault(pView);
  t->m_pView = pView;
  t->SetText(text);
  t->RecalcLayout();
  return t;
}

BOOL jvqDocument::PasteObjects(jvqObjectArray& objects) {
  if (!::OpenClipboard(GetClipboardOwner())) {
    AfxMessageBox("クリップボードのオープンに失敗しました。");
    return FALSE;
  }
  BOOL bResult = FALSE;
  HGLOBAL h = ::IsClipboardFormatAvailable(jvqRegisterClipboardFormat()) ? ::GetClipboardData(theClipboardFormat) : NULL;
  if (h != NULL && m_pHeader != NULL) {
    // The block may come from another process: every count is checked against it, and a
    // block that ends early pastes nothing.
    jvqMemFile file(h, 1024);
    std::vector<jvqObject*> made;
    const BOOL bOk = jvqReadClipboardBlock(&file, m_pHeader, made);
    file.Close();
    if (bOk) {
      // An embedded object's record names an item of the document it was copied from:
      // anywhere else the index would show another document's item.
      const BOOL bOwnCopy = s_pCopiedFrom == this && ::GetClipboardSequenceNumber() == s_dwCopySequence;
      BOOL bLeftOut = FALSE;
      for (jvqObject* p : made) {
        if ((p->GetClassCode() & 0x80) && !bOwnCopy) {
          delete p;
          bLeftOut = TRUE;
          continue;
        }
        objects.Add(p);
      }
      if (bLeftOut) AfxMessageBox(kOlePasteLeftOut);
      bResult = objects.GetCount() > 0 || !bLeftOut;
    } else {
      AfxMessageBox(kPasteCorrupt);
    }
  } else if (h == NULL && m_pHeader != NULL && PictureOnClipboard()) {
    if (jvqObject* p = PastePicture()) {
      objects.Add(p);
      SetModifiedFlag(TRUE);
      bResult = TRUE;
    } else {
      AfxMessageBox(kPasteCorrupt);
    }
  } else if (h == NULL && m_pHeader != NULL && ::IsClipboardFormatAvailable(CF_TEXT)) {
    if (jvqObject* p = PasteText()) {
      objects.Add(p);
      SetModifiedFlag(TRUE);
      bResult = TRUE;
    }
  }
  ::CloseClipboard();
  return bResult;
}

CDib* RenderPageToDib(CView* pView, jvqPage* pPage, int nWidth, int nHeight) {
  if (pPage == NULL || nWidth <= 0 || nHeight <= 0) return NULL;
  HDC hScreen = ::GetDC(NULL);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  HBITMAP hBmp = ::CreateCompatibleBitmap(hScreen, nWidth, nHeight);
  ::ReleaseDC(NULL, hScreen);
  if (hMem == NULL || hBmp == NULL) {
    if (hMem) ::DeleteDC(hMem);
    if (hBmp) ::DeleteObject(hBmp);
    return NULL;
  }
  HGDIOBJ hOldBmp = ::SelectObject(hMem, hBmp);
  CDC dc;
  dc.Attach(hMem);
  dc.FillSolidRect(0, 0, nWidth, nHeight, RGB(255, 255, 255));
  RECT frame = {10, 10, nWidth - 10, nHeight - 10};
  dc.Draw3dRect(&frame, RGB(0, 0, 0), RGB(0, 0, 0));

  RECT r;
  pPage->GetBoundRect(&r);
  const int pw = r.right - r.left, ph = r.bottom - r.top;
  const int iw = frame.right - frame.left, ih = frame.bottom - frame.top;
  if (pw > 0 && ph > 0 && iw > 0 && ih > 0) {
    double s = std::min((double)iw / pw, (double)ih / ph) * 0.95;
    const int fw = std::max(1, (int)(pw * s)), fh = std::max(1, (int)(ph * s));
    const int fx = frame.left + (iw - fw) / 2, fy = frame.top + (ih - fh) / 2;
    const int nSaved = dc.SaveDC();
    ::IntersectClipRect(hMem, fx, fy, fx + fw, fy + fh);
    ::SetMapMode(hMem, MM_ANISOTROPIC);
    ::SetWindowOrgEx(hMem, r.left, r.top, NULL);
    ::SetWindowExtEx(hMem, pw, ph, NULL);
    ::SetViewportOrgEx(hMem, fx, fy, NULL);
    ::SetViewportExtEx(hMem, fw, fh, NULL);

    jvqViewMapping temp;
    temp.m_dZoom = s * 100;
    jvqViewMapping* pOldView = pPage->m_pView;
    const DWORD dwOldState = pPage->m_dwState;
    pPage->m_dwState |= JVQ_STATE_VISIBLE;
    SetOwnerRecursive(pPage, &temp);
    // The paper, the outline and the page's objects as they print.
    RECT paper = {0, 0, pw, ph};
    if ((pPage->m_dwState & JVQ_STATE_FILLED) && pPage->GetFill()) pPage->GetFill()->PaintRect(&dc, &paper);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ hOldPen = ::SelectObject(hMem, hPen);
    HGDIOBJ hOldBrush = ::SelectObject(hMem, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(hMem, 0, 0, pw, ph);
    ::SelectObject(hMem, hOldBrush);
    ::SelectObject(hMem, hOldPen);
    ::DeleteObject(hPen);
    for (int i = 0; i < pPage->GetChildCount(); i++) pPage->GetChild(i)->Render(&dc);
    SetOwnerRecursive(pPage, pOldView);
    pPage->m_dwState = dwOldState;
    dc.RestoreDC(nSaved);
  }
  dc.Detach();
  ::SelectObject(hMem, hOldBmp);
  ::DeleteDC(hMem);
  CDib* pDib = new CDib;
  if (!pDib->CreateFromBitmap(hBmp)) {
    delete pDib;
    pDib = NULL;
  }
  ::DeleteObject(hBmp);
  return pDib;
}
