// An embedded item over the platform's default handler: creation, the site and sink that
// turn the object's reports into OnChange codes, drawing from the cache, and storage.
#include <algorithm>
#include <cstdio>
#include <string>

#include "afxole.h"

IMPLEMENT_SERIAL(COleClientItem, CDocItem, 1)

namespace {

void StorageName(DWORD dwItemNumber, WCHAR* pszName, size_t nChars) {
  swprintf(pszName, nChars, L"Embedding %lu", (unsigned long)dwItemNumber);
}

std::wstring Wide(LPCTSTR lpsz) {
  const int n = ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, NULL, 0);
  std::wstring w(n > 0 ? n : 1, L'\0');
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, &w[0], n);
  return w;
}

// Wine's clipboard hands an "Embed Source" storage out through GetData only, which its
// OleCreateFromData does not ask for: the object is copied into the item's storage and
// loaded from there.
HRESULT LoadEmbedSource(IDataObject* pData, IStorage* pStg, IOleClientSite* pSite, void** ppObj) {
  static const CLIPFORMAT cfEmbedSource = (CLIPFORMAT)::RegisterClipboardFormat("Embed Source");
  FORMATETC fe = {cfEmbedSource, NULL, DVASPECT_CONTENT, -1, TYMED_ISTORAGE};
  STGMEDIUM m = {};
  HRESULT hr = pData->GetData(&fe, &m);
  if (FAILED(hr)) return hr;
  if (m.tymed != TYMED_ISTORAGE || m.pstg == NULL) {
    ::ReleaseStgMedium(&m);
    return DV_E_TYMED;
  }
  hr = m.pstg->CopyTo(0, NULL, NULL, pStg);
  ::ReleaseStgMedium(&m);
  if (SUCCEEDED(hr)) hr = ::OleLoad(pStg, IID_IOleObject, pSite, ppObj);
  return hr;
}

}  // namespace

COleClientItem::COleClientItem(COleDocument* pContainerDoc)
    : m_lpObject(NULL),
      m_lpStorage(NULL),
      m_dwItemNumber(0),
      m_nItemType(OT_UNKNOWN),
      m_nDrawAspect(DVASPECT_CONTENT),
      m_nItemState(emptyState),
      m_pView(NULL),
      m_dwConnection(0),
      m_lpInPlaceObject(NULL) {
  m_xOleClientSite.m_pThis = this;
  m_xAdviseSink.m_pThis = this;
  m_xOleIPSite.m_pThis = this;
  m_xOleIPFrame.m_pThis = this;
  if (pContainerDoc != NULL) pContainerDoc->AddItem(this);
}

COleClientItem::~COleClientItem() {
  Release(OLECLOSE_NOSAVE);
  if (m_lpStorage) {
    m_lpStorage->Release();
    m_lpStorage = NULL;
  }
}

BOOL COleClientItem::MakeStorage() {
  COleDocument* pDoc = GetDocument();
  LPSTORAGE pWork = pDoc ? pDoc->GetWorkStorage() : NULL;
  if (pWork == NULL) return FALSE;
  if (m_dwItemNumber == 0) m_dwItemNumber = pDoc->m_dwNextItemNumber++;
  WCHAR name[40];
  StorageName(m_dwItemNumber, name, 40);
  if (m_lpStorage) m_lpStorage->Release();
  m_lpStorage = NULL;
  return SUCCEEDED(pWork->CreateStorage(name, STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, 0, &m_lpStorage));
}

void COleClientItem::DropStorage() {
  if (m_lpStorage == NULL) return;
  m_lpStorage->Release();
  m_lpStorage = NULL;
  COleDocument* pDoc = GetDocument();
  if (pDoc && pDoc->m_lpWorkStg && m_dwItemNumber != 0) {
    WCHAR name[40];
    StorageName(m_dwItemNumber, name, 40);
    pDoc->m_lpWorkStg->DestroyElement(name);
  }
}

BOOL COleClientItem::FinishCreate(HRESULT hr) {
  if (FAILED(hr) || m_lpObject == NULL) {
    if (m_lpObject) m_lpObject->Release();
    m_lpObject = NULL;
    DropStorage();
    return FALSE;
  }
  m_lpObject->SetClientSite(&m_xOleClientSite);
  CacheDrawnFormat();
  m_lpObject->SetHostNames(L"QVZ", L"QVZ");
  ::OleSetContainedObject(m_lpObject, TRUE);
  m_lpObject->Advise(&m_xAdviseSink, &m_dwConnection);
  IViewObject* pView = NULL;
  if (SUCCEEDED(m_lpObject->QueryInterface(IID_IViewObject, (void**)&pView))) {
    pView->SetAdvise(m_nDrawAspect, 0, &m_xAdviseSink);
    pView->Release();
  }
  IOleLink* pLink = NULL;
  if (SUCCEEDED(m_lpObject->QueryInterface(IID_IOleLink, (void**)&pLink))) {
    m_nItemType = OT_LINK;
    pLink->Release();
  } else if (m_nItemType == OT_UNKNOWN) {
    m_nItemType = OT_EMBEDDED;
  }
  m_nItemState = IsRunning() ? openState : loadedState;
  if (m_nItemState == openState) m_nItemState = loadedState;  // shown only through DoVerb
  return TRUE;
}

void COleClientItem::CacheDrawnFormat(BOOL bLoaded) {
  // Wine's cache takes the server's picture into an entry asked for as "whatever draws" (no
  // format) but draws nothing from it, nor from an enhanced metafile, which is what such an
  // entry is written back as. The draw aspect then gets an entry naming a metafile, which
  // the cache draws, saves and reads back, and loses the entry without a format, which
  // would take the server's pictures first; an enhanced metafile stays for platforms that
  // draw it. Boards whose items carry the old entry still open, and draw again once their
  // server has run (those written before carry no entry at all). Static pictures, and new
  // items made to cache nothing, are left as made.
  if (m_nItemType == OT_STATIC) return;
  IOleCache* pCache = NULL;
  if (FAILED(m_lpObject->QueryInterface(IID_IOleCache, (void**)&pCache))) return;
  IEnumSTATDATA* pEnum = NULL;
  BOOL bDrawn = FALSE, bUndrawn = FALSE;
  DWORD dwAdvf = ADVF_PRIMEFIRST;
  DWORD stale[8];
  int nStale = 0;
  if (SUCCEEDED(pCache->EnumCache(&pEnum)) && pEnum != NULL) {
    STATDATA sd;
    while (pEnum->Next(1, &sd, NULL) == S_OK) {
      if (sd.formatetc.dwAspect == (DWORD)m_nDrawAspect) {
        const CLIPFORMAT cf = sd.formatetc.cfFormat;
        if (cf == CF_METAFILEPICT || cf == CF_DIB || cf == CF_BITMAP) {
          bDrawn = TRUE;
        } else if (cf == 0 || cf == CF_ENHMETAFILE) {
          bUndrawn = TRUE;
          dwAdvf = sd.advf;
          if (cf == 0 && nStale < 8) stale[nStale++] = sd.dwConnection;
        }
      }
      ::CoTaskMemFree(sd.formatetc.ptd);
      if (sd.pAdvSink) sd.pAdvSink->Release();
    }
    pEnum->Release();
  }
  if (!bDrawn && (bUndrawn || bLoaded)) {
    for (int i = 0; i < nStale; i++) pCache->Uncache(stale[i]);
    FORMATETC fe = {CF_METAFILEPICT, NULL, (DWORD)m_nDrawAspect, -1, TYMED_MFPICT};
    DWORD dw = 0;
    pCache->Cache(&fe, (dwAdvf & ~ADVF_NODATA) | ADVF_PRIMEFIRST, &dw);
  }
  pCache->Release();
}

BOOL COleClientItem::CreateNewItem(REFCLSID clsid, OLERENDER render, CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  if (m_lpObject != NULL || !MakeStorage()) return FALSE;
  FORMATETC fe = {cfFormat, NULL, DVASPECT_CONTENT, -1, TYMED_NULL};
  if (cfFormat != 0 && lpFormatEtc == NULL) lpFormatEtc = &fe;
  const HRESULT hr = ::OleCreate(clsid, IID_IOleObject, render, lpFormatEtc, &m_xOleClientSite, m_lpStorage,
                                 (void**)&m_lpObject);
  return FinishCreate(hr);
}

BOOL COleClientItem::CreateFromFile(LPCTSTR lpszFileName, REFCLSID clsid, OLERENDER render, CLIPFORMAT cfFormat,
                                    LPFORMATETC lpFormatEtc) {
  if (m_lpObject != NULL || lpszFileName == NULL) return FALSE;
  // A file that cannot be read makes no item (the packager would wrap a missing name).
  const DWORD attr = ::GetFileAttributes(lpszFileName);
  if (attr == INVALID_FILE_ATTRIBUTES || (attr & FILE_ATTRIBUTE_DIRECTORY)) return FALSE;
  HANDLE h = ::CreateFile(lpszFileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
  if (h == INVALID_HANDLE_VALUE) return FALSE;
  ::CloseHandle(h);
  if (!MakeStorage()) return FALSE;
  FORMATETC fe = {cfFormat, NULL, DVASPECT_CONTENT, -1, TYMED_NULL};
  if (cfFormat != 0 && lpFormatEtc == NULL) lpFormatEtc = &fe;
  const std::wstring w = Wide(lpszFileName);
  const HRESULT hr = ::OleCreateFromFile(clsid, w.c_str(), IID_IOleObject, render, lpFormatEtc, &m_xOleClientSite,
                                         m_lpStorage, (void**)&m_lpObject);
  if (!FinishCreate(hr)) return FALSE;
  // Wine loads the object from the storage the file's server gave without running it, so
  // its cache has neither an entry nor a picture: the entry is made, the server run once to
  // fill it, and let go.
  if (render == OLERENDER_DRAW && m_nItemType == OT_EMBEDDED && !IsRunning() && !CacheHasPicture()) {
    CacheDrawnFormat(TRUE);
    if (FAILED(::OleRun(m_lpObject))) return TRUE;
    m_lpObject->Update();
    m_lpObject->Close(OLECLOSE_SAVEIFDIRTY);
  }
  return TRUE;
}

BOOL COleClientItem::CacheHasPicture() const {
  IDataObject* pData = NULL;
  if (m_lpObject == NULL || FAILED(m_lpObject->QueryInterface(IID_IDataObject, (void**)&pData))) return FALSE;
  FORMATETC fe = {CF_METAFILEPICT, NULL, (DWORD)m_nDrawAspect, -1, TYMED_MFPICT};
  STGMEDIUM m = {};
  const HRESULT hr = pData->GetData(&fe, &m);
  if (SUCCEEDED(hr)) ::ReleaseStgMedium(&m);
  pData->Release();
  return SUCCEEDED(hr);
}

BOOL COleClientItem::CreateFromData(COleDataObject* pDataObject, OLERENDER render, CLIPFORMAT cfFormat,
                                    LPFORMATETC lpFormatEtc) {
  if (m_lpObject != NULL || pDataObject == NULL || pDataObject->m_lpDataObject == NULL || !MakeStorage()) return FALSE;
  FORMATETC fe = {cfFormat, NULL, DVASPECT_CONTENT, -1, TYMED_NULL};
  if (cfFormat != 0 && lpFormatEtc == NULL) lpFormatEtc = &fe;
  HRESULT hr = ::OleCreateFromData(pDataObject->m_lpDataObject, IID_IOleObject, render, lpFormatEtc,
                                   &m_xOleClientSite, m_lpStorage, (void**)&m_lpObject);
  if (FAILED(hr) && m_lpObject == NULL)
    hr = LoadEmbedSource(pDataObject->m_lpDataObject, m_lpStorage, &m_xOleClientSite, (void**)&m_lpObject);
  return FinishCreate(hr);
}

// A bitmap the data object gives as CF_BITMAP, as a packed 24-bit DIB.
static HGLOBAL DibFromBitmap(COleDataObject* pDataObject) {
  FORMATETC fe = {CF_BITMAP, NULL, DVASPECT_CONTENT, -1, TYMED_GDI};
  STGMEDIUM m = {};
  if (FAILED(pDataObject->m_lpDataObject->GetData(&fe, &m))) return NULL;
  HGLOBAL h = NULL;
  BITMAP bm = {};
  if (m.tymed == TYMED_GDI && ::GetObject(m.hBitmap, sizeof bm, &bm) && bm.bmWidth > 0 && bm.bmHeight > 0 &&
      bm.bmWidth <= 32767 && bm.bmHeight <= 32767) {
    const SIZE_T stride = ((SIZE_T)bm.bmWidth * 3 + 3) & ~(SIZE_T)3;
    h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + stride * bm.bmHeight);
    BITMAPINFO* bi = h ? (BITMAPINFO*)::GlobalLock(h) : NULL;
    if (bi) {
      bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      bi->bmiHeader.biWidth = bm.bmWidth;
      bi->bmiHeader.biHeight = bm.bmHeight;
      bi->bmiHeader.biPlanes = 1;
      bi->bmiHeader.biBitCount = 24;
      HDC dc = ::GetDC(NULL);
      const int rows = ::GetDIBits(dc, m.hBitmap, 0, bm.bmHeight, (BYTE*)bi + sizeof(BITMAPINFOHEADER), bi, DIB_RGB_COLORS);
      ::ReleaseDC(NULL, dc);
      ::GlobalUnlock(h);
      if (rows != bm.bmHeight) {
        ::GlobalFree(h);
        h = NULL;
      }
    } else if (h) {
      ::GlobalFree(h);
      h = NULL;
    }
  }
  ::ReleaseStgMedium(&m);
  return h;
}

BOOL COleClientItem::CreateStaticFromData(COleDataObject* pDataObject, OLERENDER render, CLIPFORMAT cfFormat,
                                          LPFORMATETC lpFormatEtc) {
  if (m_lpObject != NULL || pDataObject == NULL || pDataObject->m_lpDataObject == NULL || !MakeStorage()) return FALSE;
  FORMATETC fe = {cfFormat, NULL, DVASPECT_CONTENT, -1, TYMED_NULL};
  if (cfFormat != 0 && lpFormatEtc == NULL) lpFormatEtc = &fe;
  fe.tymed = cfFormat == CF_ENHMETAFILE ? TYMED_ENHMF : cfFormat == CF_METAFILEPICT ? TYMED_MFPICT
           : cfFormat == CF_BITMAP ? TYMED_GDI : TYMED_HGLOBAL;
  m_nItemType = OT_STATIC;
  HRESULT hr = ::OleCreateStaticFromData(pDataObject->m_lpDataObject, IID_IOleObject, render, lpFormatEtc,
                                         &m_xOleClientSite, m_lpStorage, (void**)&m_lpObject);
  if (FAILED(hr) && m_lpObject == NULL && lpFormatEtc != NULL && lpFormatEtc->cfFormat == CF_DIB) {
    // The platform's clipboard object may give a bitmap another program copied only as
    // CF_BITMAP: the DIB is made from that one.
    if (HGLOBAL hDib = DibFromBitmap(pDataObject)) {
      COleDataSource* src = new COleDataSource;
      src->CacheGlobalData(CF_DIB, hDib);
      FORMATETC dib = {CF_DIB, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
      hr = ::OleCreateStaticFromData(src->GetDataObject(), IID_IOleObject, render, &dib, &m_xOleClientSite, m_lpStorage,
                                     (void**)&m_lpObject);
      src->InternalRelease();
    }
  }
  return FinishCreate(hr);
}

BOOL COleClientItem::CreateFromClipboard(OLERENDER render, CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  COleDataObject data;
  if (!data.AttachClipboard()) return FALSE;
  return CreateFromData(&data, render, cfFormat, lpFormatEtc);
}

BOOL PASCAL COleClientItem::CanPaste() {
  LPDATAOBJECT p = NULL;
  if (FAILED(::OleGetClipboard(&p)) || p == NULL) return FALSE;
  // A picture makes a static item: pastable too.
  const HRESULT hr = ::OleQueryCreateFromData(p);
  p->Release();
  return hr == S_OK || hr == OLE_S_STATIC;
}

BOOL COleClientItem::CreateLinkFromData(COleDataObject* pDataObject, OLERENDER render, CLIPFORMAT cfFormat,
                                        LPFORMATETC lpFormatEtc) {
  if (m_lpObject != NULL || pDataObject == NULL || pDataObject->m_lpDataObject == NULL || !MakeStorage()) return FALSE;
  FORMATETC fe = {cfFormat, NULL, DVASPECT_CONTENT, -1, TYMED_NULL};
  if (cfFormat != 0 && lpFormatEtc == NULL) lpFormatEtc = &fe;
  m_nItemType = OT_LINK;
  const HRESULT hr = ::OleCreateLinkFromData(pDataObject->m_lpDataObject, IID_IOleObject, render, lpFormatEtc,
                                             &m_xOleClientSite, m_lpStorage, (void**)&m_lpObject);
  if (FAILED(hr)) m_nItemType = OT_UNKNOWN;
  return FinishCreate(hr);
}

BOOL COleClientItem::CreateLinkFromClipboard(OLERENDER render, CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  COleDataObject data;
  if (!data.AttachClipboard()) return FALSE;
  return CreateLinkFromData(&data, render, cfFormat, lpFormatEtc);
}

BOOL PASCAL COleClientItem::CanPasteLink() {
  LPDATAOBJECT p = NULL;
  if (FAILED(::OleGetClipboard(&p)) || p == NULL) return FALSE;
  const BOOL b = ::OleQueryLinkFromData(p) == S_OK;
  p->Release();
  return b;
}

BOOL COleClientItem::UpdateLink() {
  if (m_lpObject == NULL) return FALSE;
  if (m_nItemType != OT_LINK) return TRUE;
  IOleLink* pLink = NULL;
  if (FAILED(m_lpObject->QueryInterface(IID_IOleLink, (void**)&pLink))) return FALSE;
  const HRESULT hr = pLink->Update(NULL);
  pLink->Release();
  return SUCCEEDED(hr);
}

BOOL COleClientItem::CreateCloneFrom(COleClientItem* pSrcItem) {
  if (m_lpObject != NULL || pSrcItem == NULL || pSrcItem->m_lpObject == NULL || !MakeStorage()) return FALSE;
  // The source's current state goes into its storage, which is copied into ours.
  if (!pSrcItem->SaveObject() || FAILED(pSrcItem->m_lpStorage->CopyTo(0, NULL, NULL, m_lpStorage))) {
    DropStorage();
    return FALSE;
  }
  m_nDrawAspect = pSrcItem->m_nDrawAspect;
  m_nItemType = pSrcItem->m_nItemType;
  const HRESULT hr = ::OleLoad(m_lpStorage, IID_IOleObject, &m_xOleClientSite, (void**)&m_lpObject);
  return FinishCreate(hr);
}

BOOL COleClientItem::SaveObject() {
  if (m_lpObject == NULL || m_lpStorage == NULL) return FALSE;
  IPersistStorage* pPersist = NULL;
  if (FAILED(m_lpObject->QueryInterface(IID_IPersistStorage, (void**)&pPersist))) return FALSE;
  HRESULT hr = ::OleSave(pPersist, m_lpStorage, TRUE);
  pPersist->SaveCompleted(NULL);
  pPersist->Release();
  if (SUCCEEDED(hr)) hr = m_lpStorage->Commit(STGC_DEFAULT);
  return SUCCEEDED(hr);
}

BOOL COleClientItem::IsRunning() const { return m_lpObject != NULL && ::OleIsRunning(m_lpObject); }

BOOL COleClientItem::IsModified() const {
  if (m_lpObject == NULL) return FALSE;
  IPersistStorage* pPersist = NULL;
  if (FAILED(m_lpObject->QueryInterface(IID_IPersistStorage, (void**)&pPersist))) return FALSE;
  const BOOL b = pPersist->IsDirty() == S_OK;
  pPersist->Release();
  return b;
}

BOOL COleClientItem::DoVerb(LONG nVerb, CView* pView, LPMSG lpMsg) {
  if (m_lpObject == NULL) return FALSE;
  HWND hWnd = pView ? pView->GetSafeHwnd() : NULL;
  RECT rc = {0, 0, 0, 0};
  if (pView) {
    CRect r;
    OnGetItemPosition(r);
    rc = r;
  }
  // The view the object may come to be active in place in, asked by the server meanwhile.
  if (pView != NULL && m_nItemState != activeState && m_nItemState != activeUIState) m_pView = pView;
  const HRESULT hr = m_lpObject->DoVerb(nVerb, lpMsg, &m_xOleClientSite, -1, hWnd, &rc);
  return SUCCEEDED(hr);
}

BOOL COleClientItem::Draw(CDC* pDC, LPCRECT lpBounds, DVASPECT nDrawAspect) {
  if (m_lpObject == NULL || pDC == NULL || lpBounds == NULL) return FALSE;
  if (nDrawAspect == (DVASPECT)-1) nDrawAspect = m_nDrawAspect;
  IViewObject* pView = NULL;
  if (FAILED(m_lpObject->QueryInterface(IID_IViewObject, (void**)&pView))) return FALSE;
  // Wine's cache places the picture taking the bounds as device units, so on a scaled or
  // moved mapping (the editing view's, a printer's) it would land elsewhere: the bounds go
  // to device units and the picture is played on the plain mapping.
  HDC hDC = pDC->m_hDC;
  POINT pt[2] = {{lpBounds->left, lpBounds->top}, {lpBounds->right, lpBounds->bottom}};
  ::LPtoDP(hDC, pt, 2);
  RECTL bounds = {std::min(pt[0].x, pt[1].x), std::min(pt[0].y, pt[1].y), std::max(pt[0].x, pt[1].x),
                  std::max(pt[0].y, pt[1].y)};
  const int nSaved = ::SaveDC(hDC);
  if (::GetGraphicsMode(hDC) == GM_ADVANCED) ::ModifyWorldTransform(hDC, NULL, MWT_IDENTITY);
  ::SetMapMode(hDC, MM_TEXT);
  ::SetWindowOrgEx(hDC, 0, 0, NULL);
  ::SetViewportOrgEx(hDC, 0, 0, NULL);
  const HRESULT hr = pView->Draw(nDrawAspect, -1, NULL, NULL, NULL, hDC, &bounds, NULL, NULL, 0);
  if (nSaved) ::RestoreDC(hDC, nSaved);
  pView->Release();
  return SUCCEEDED(hr);
}

BOOL COleClientItem::GetExtent(LPSIZE lpSize, DVASPECT nDrawAspect) {
  if (m_lpObject == NULL || lpSize == NULL) return FALSE;
  if (nDrawAspect == (DVASPECT)-1) nDrawAspect = m_nDrawAspect;
  // The cache answers while the server is not running; the object itself when it is.
  IViewObject2* pView = NULL;
  SIZEL s = {0, 0};
  HRESULT hr = E_FAIL;
  if (SUCCEEDED(m_lpObject->QueryInterface(IID_IViewObject2, (void**)&pView))) {
    hr = pView->GetExtent(nDrawAspect, -1, NULL, &s);
    pView->Release();
  }
  if (FAILED(hr)) hr = m_lpObject->GetExtent(nDrawAspect, &s);
  if (FAILED(hr)) return FALSE;
  lpSize->cx = s.cx;
  lpSize->cy = s.cy;
  return TRUE;
}

BOOL COleClientItem::SetExtent(const SIZE& size, DVASPECT nDrawAspect) {
  if (m_lpObject == NULL) return FALSE;
  SIZEL s = {size.cx, size.cy};
  return SUCCEEDED(m_lpObject->SetExtent(nDrawAspect, &s));
}

LPOLEINPLACEOBJECT COleClientItem::GetInPlaceObject() {
  LPOLEINPLACEOBJECT p = NULL;
  if (m_lpObject != NULL && SUCCEEDED(m_lpObject->QueryInterface(IID_IOleInPlaceObject, (void**)&p))) return p;
  if (m_lpInPlaceObject != NULL) m_lpInPlaceObject->AddRef();
  return m_lpInPlaceObject;
}

void COleClientItem::ReleaseInPlaceObject() {
  LPOLEINPLACEOBJECT p = m_lpInPlaceObject;
  m_lpInPlaceObject = NULL;
  if (p) p->Release();
}

void COleClientItem::Deactivate() {
  if (m_lpObject == NULL) return;
  if (IOleInPlaceObject* p = GetInPlaceObject()) {
    p->InPlaceDeactivate();
    p->Release();
  }
  ReleaseInPlaceObject();
  if (m_nItemState == activeState || m_nItemState == activeUIState) m_nItemState = loadedState;
  m_pView = NULL;
}

void COleClientItem::OnGetClipRect(CRect& rClipRect) {
  rClipRect.SetRectEmpty();
  if (m_pView != NULL && m_pView->GetSafeHwnd() != NULL) m_pView->GetClientRect(&rClipRect);
}

BOOL COleClientItem::SetItemRects(LPCRECT lpPosRect, LPCRECT lpClipRect) {
  if (m_lpObject == NULL || (m_nItemState != activeState && m_nItemState != activeUIState)) return FALSE;
  CRect pos, clip;
  if (lpPosRect != NULL)
    pos = *lpPosRect;
  else
    OnGetItemPosition(pos);
  if (lpClipRect != NULL)
    clip = *lpClipRect;
  else
    OnGetClipRect(clip);
  IOleInPlaceObject* p = GetInPlaceObject();
  if (p == NULL) return FALSE;
  const HRESULT hr = p->SetObjectRects(&pos, &clip);
  p->Release();
  return SUCCEEDED(hr);
}

BOOL COleClientItem::OnChangeItemPosition(const CRect& rectPos) {
  SetItemRects(rectPos);  // nothing when the item is not active in place
  return TRUE;
}

void COleClientItem::Close(OLECLOSE dwCloseOption) {
  if (m_lpObject == NULL) return;
  m_lpObject->Close(dwCloseOption);
  m_nItemState = loadedState;
}

void COleClientItem::Release(OLECLOSE dwCloseOption) {
  ReleaseInPlaceObject();
  if (m_lpObject == NULL) return;
  LPOLEOBJECT p = m_lpObject;
  m_lpObject = NULL;
  if (m_dwConnection) p->Unadvise(m_dwConnection);
  m_dwConnection = 0;
  IViewObject* pView = NULL;
  if (SUCCEEDED(p->QueryInterface(IID_IViewObject, (void**)&pView))) {
    pView->SetAdvise(m_nDrawAspect, 0, NULL);
    pView->Release();
  }
  p->Close(dwCloseOption);
  p->SetClientSite(NULL);
  p->Release();
  // A server that ends later still holds our site and sink through the platform: cut those
  // references now, so that none of its late calls reaches an item that is gone.
  ::CoDisconnectObject(reinterpret_cast<LPUNKNOWN>(&m_xOleClientSite), 0);
  ::CoDisconnectObject(reinterpret_cast<LPUNKNOWN>(&m_xAdviseSink), 0);
  ::CoDisconnectObject(reinterpret_cast<LPUNKNOWN>(&m_xOleIPFrame), 0);
  m_nItemState = emptyState;
}

void COleClientItem::Delete(BOOL bAutoDelete) {
  Release(OLECLOSE_NOSAVE);
  DropStorage();
  if (bAutoDelete) delete this;
}

void COleClientItem::OnChange(OLE_NOTIFICATION nCode, DWORD) {
  // A new picture or a save by the server is a change the board has to keep.
  if (nCode != OLE_CHANGED && nCode != OLE_SAVED) return;
  if (COleDocument* pDoc = GetDocument()) pDoc->SetModifiedFlag(TRUE);
}

void COleClientItem::Serialize(CArchive& ar) {
  COleDocument* pDoc = ar.IsLoading() ? dynamic_cast<COleDocument*>(ar.m_pDocument) : GetDocument();
  if (pDoc == NULL) AfxThrowArchiveException(CArchiveException::generic);
  LPSTORAGE pRoot = pDoc->m_lpRootStg;
  if (ar.IsStoring()) {
    ar << (DWORD)m_dwItemNumber << (LONG)m_nItemType << (LONG)m_nDrawAspect;
    if (pRoot == NULL) return;
    // The running object first saves into our storage, which then goes into the file.
    if (IsRunning() || IsModified()) SaveObject();
    WCHAR name[40];
    StorageName(m_dwItemNumber, name, 40);
    LPSTORAGE pDest = NULL;
    HRESULT hr = pRoot->CreateStorage(name, STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, 0, &pDest);
    if (SUCCEEDED(hr)) hr = m_lpStorage ? m_lpStorage->CopyTo(0, NULL, NULL, pDest) : E_FAIL;
    if (SUCCEEDED(hr)) hr = pDest->Commit(STGC_DEFAULT);
    if (pDest) pDest->Release();
    if (FAILED(hr)) AfxThrowOleException(hr);
    return;
  }
  DWORD dwNumber = 0;
  LONG nType = 0, nAspect = 0;
  ar >> dwNumber >> nType >> nAspect;
  if (dwNumber == 0 || nType < OT_LINK || nType > OT_STATIC) AfxThrowArchiveException(CArchiveException::badIndex);
  if (nAspect != DVASPECT_CONTENT && nAspect != DVASPECT_THUMBNAIL && nAspect != DVASPECT_ICON &&
      nAspect != DVASPECT_DOCPRINT)
    AfxThrowArchiveException(CArchiveException::badIndex);
  // Two items of one file naming one storage would share it.
  POSITION pos = pDoc->GetStartPosition();
  while (COleClientItem* p = pDoc->GetNextClientItem(pos))
    if (p != this && p->m_dwItemNumber == dwNumber) AfxThrowArchiveException(CArchiveException::badIndex);
  if (pRoot == NULL) AfxThrowArchiveException(CArchiveException::badIndex);
  pDoc->AddItem(this);
  m_dwItemNumber = dwNumber;
  m_nItemType = (OLE_OBJTYPE)nType;
  m_nDrawAspect = (DVASPECT)nAspect;
  if (pDoc->m_dwNextItemNumber <= dwNumber) pDoc->m_dwNextItemNumber = dwNumber + 1;
  WCHAR name[40];
  StorageName(m_dwItemNumber, name, 40);
  LPSTORAGE pSrc = NULL;
  HRESULT hr = pRoot->OpenStorage(name, NULL, STGM_READ | STGM_SHARE_EXCLUSIVE, NULL, 0, &pSrc);
  if (FAILED(hr)) AfxThrowArchiveException(CArchiveException::badIndex);
  hr = MakeStorage() ? pSrc->CopyTo(0, NULL, NULL, m_lpStorage) : E_FAIL;
  pSrc->Release();
  if (FAILED(hr)) AfxThrowOleException(hr);
  hr = ::OleLoad(m_lpStorage, IID_IOleObject, &m_xOleClientSite, (void**)&m_lpObject);
  if (!FinishCreate(hr)) AfxThrowOleException(FAILED(hr) ? hr : E_FAIL);
  CacheDrawnFormat(TRUE);
}

// IOleClientSite

STDMETHODIMP COleClientItem::XOleClientSite::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == NULL) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
    *ppv = static_cast<IOleClientSite*>(this);
  } else if (riid == IID_IAdviseSink) {
    *ppv = static_cast<IAdviseSink*>(&m_pThis->m_xAdviseSink);
  } else if (riid == IID_IOleInPlaceSite || riid == IID_IOleWindow) {
    *ppv = static_cast<IOleInPlaceSite*>(&m_pThis->m_xOleIPSite);
  } else {
    *ppv = NULL;
    return E_NOINTERFACE;
  }
  m_pThis->ExternalAddRef();
  return S_OK;
}
STDMETHODIMP_(ULONG) COleClientItem::XOleClientSite::AddRef() { return m_pThis->ExternalAddRef(); }
STDMETHODIMP_(ULONG) COleClientItem::XOleClientSite::Release() {
  // The item belongs to its document: the platform's last release never deletes it.
  return m_pThis->m_dwRef > 1 ? m_pThis->ExternalRelease() : 1;
}
STDMETHODIMP COleClientItem::XOleClientSite::SaveObject() {
  return m_pThis->SaveObject() ? S_OK : E_FAIL;
}
STDMETHODIMP COleClientItem::XOleClientSite::GetMoniker(DWORD, DWORD, LPMONIKER* ppmk) {
  if (ppmk) *ppmk = NULL;
  return E_NOTIMPL;
}
STDMETHODIMP COleClientItem::XOleClientSite::GetContainer(LPOLECONTAINER* ppContainer) {
  if (ppContainer) *ppContainer = NULL;
  return E_NOINTERFACE;
}
STDMETHODIMP COleClientItem::XOleClientSite::ShowObject() { return S_OK; }
STDMETHODIMP COleClientItem::XOleClientSite::OnShowWindow(BOOL fShow) {
  m_pThis->m_nItemState = fShow ? openState : loadedState;
  m_pThis->OnChange(OLE_CHANGED_STATE, m_pThis->m_nItemState);
  return S_OK;
}
STDMETHODIMP COleClientItem::XOleClientSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// IAdviseSink

STDMETHODIMP COleClientItem::XAdviseSink::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == NULL) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IAdviseSink) {
    *ppv = static_cast<IAdviseSink*>(this);
    m_pThis->ExternalAddRef();
    return S_OK;
  }
  *ppv = NULL;
  return E_NOINTERFACE;
}
STDMETHODIMP_(ULONG) COleClientItem::XAdviseSink::AddRef() { return m_pThis->ExternalAddRef(); }
STDMETHODIMP_(ULONG) COleClientItem::XAdviseSink::Release() {
  return m_pThis->m_dwRef > 1 ? m_pThis->ExternalRelease() : 1;
}
STDMETHODIMP_(void) COleClientItem::XAdviseSink::OnDataChange(LPFORMATETC, LPSTGMEDIUM) {}
STDMETHODIMP_(void) COleClientItem::XAdviseSink::OnViewChange(DWORD dwAspect, LONG) {
  m_pThis->OnChange(OLE_CHANGED, dwAspect);
}
STDMETHODIMP_(void) COleClientItem::XAdviseSink::OnRename(LPMONIKER) { m_pThis->OnChange(OLE_RENAMED, 0); }
STDMETHODIMP_(void) COleClientItem::XAdviseSink::OnSave() { m_pThis->OnChange(OLE_SAVED, 0); }
STDMETHODIMP_(void) COleClientItem::XAdviseSink::OnClose() {
  m_pThis->m_nItemState = loadedState;
  m_pThis->OnChange(OLE_CLOSED, 0);
}

// IOleInPlaceSite: one object with the client site.

STDMETHODIMP COleClientItem::XOleIPSite::QueryInterface(REFIID riid, void** ppv) {
  return m_pThis->m_xOleClientSite.QueryInterface(riid, ppv);
}
STDMETHODIMP_(ULONG) COleClientItem::XOleIPSite::AddRef() { return m_pThis->m_xOleClientSite.AddRef(); }
STDMETHODIMP_(ULONG) COleClientItem::XOleIPSite::Release() { return m_pThis->m_xOleClientSite.Release(); }
STDMETHODIMP COleClientItem::XOleIPSite::GetWindow(HWND* phwnd) {
  if (phwnd == NULL) return E_POINTER;
  *phwnd = m_pThis->m_pView ? m_pThis->m_pView->GetSafeHwnd() : NULL;
  return *phwnd ? S_OK : E_FAIL;
}
STDMETHODIMP COleClientItem::XOleIPSite::CanInPlaceActivate() {
  return m_pThis->m_pView != NULL && m_pThis->m_pView->GetSafeHwnd() != NULL ? S_OK : S_FALSE;
}
STDMETHODIMP COleClientItem::XOleIPSite::OnInPlaceActivate() {
  m_pThis->m_nItemState = activeState;
  m_pThis->OnChange(OLE_CHANGED_STATE, activeState);
  return S_OK;
}
STDMETHODIMP COleClientItem::XOleIPSite::OnUIActivate() {
  m_pThis->m_nItemState = activeUIState;
  m_pThis->OnChange(OLE_CHANGED_STATE, activeUIState);
  return S_OK;
}
STDMETHODIMP COleClientItem::XOleIPSite::GetWindowContext(LPOLEINPLACEFRAME* ppFrame, LPOLEINPLACEUIWINDOW* ppDoc,
                                                          LPRECT lprcPosRect, LPRECT lprcClipRect,
                                                          LPOLEINPLACEFRAMEINFO lpFrameInfo) {
  if (ppFrame == NULL || ppDoc == NULL || lprcPosRect == NULL || lprcClipRect == NULL) return E_POINTER;
  *ppFrame = &m_pThis->m_xOleIPFrame;
  m_pThis->m_xOleIPFrame.AddRef();
  *ppDoc = NULL;
  CRect pos, clip;
  m_pThis->OnGetItemPosition(pos);
  m_pThis->OnGetClipRect(clip);
  *lprcPosRect = pos;
  *lprcClipRect = clip;
  if (lpFrameInfo != NULL) {
    lpFrameInfo->fMDIApp = FALSE;
    m_pThis->m_xOleIPFrame.GetWindow(&lpFrameInfo->hwndFrame);
    lpFrameInfo->haccel = NULL;
    lpFrameInfo->cAccelEntries = 0;
  }
  return S_OK;
}
STDMETHODIMP COleClientItem::XOleIPSite::OnUIDeactivate(BOOL) {
  if (m_pThis->m_nItemState == activeUIState) m_pThis->m_nItemState = activeState;
  m_pThis->OnChange(OLE_CHANGED_STATE, m_pThis->m_nItemState);
  return S_OK;
}
STDMETHODIMP COleClientItem::XOleIPSite::OnInPlaceDeactivate() {
  m_pThis->ReleaseInPlaceObject();
  if (m_pThis->m_nItemState == activeState || m_pThis->m_nItemState == activeUIState)
    m_pThis->m_nItemState = loadedState;
  m_pThis->OnChange(OLE_CHANGED_STATE, m_pThis->m_nItemState);
  return S_OK;
}
STDMETHODIMP COleClientItem::XOleIPSite::DeactivateAndUndo() {
  m_pThis->Deactivate();
  return S_OK;
}
STDMETHODIMP COleClientItem::XOleIPSite::OnPosRectChange(LPCRECT lprcPosRect) {
  if (lprcPosRect == NULL) return E_POINTER;
  return m_pThis->OnChangeItemPosition(CRect(*lprcPosRect)) ? S_OK : E_FAIL;
}

// IOleInPlaceFrame: the view's top-level window; it keeps the object the server activates.

STDMETHODIMP COleClientItem::XOleIPFrame::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == NULL) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow ||
      riid == IID_IOleInPlaceFrame) {
    *ppv = static_cast<IOleInPlaceFrame*>(this);
    m_pThis->ExternalAddRef();
    return S_OK;
  }
  *ppv = NULL;
  return E_NOINTERFACE;
}
STDMETHODIMP_(ULONG) COleClientItem::XOleIPFrame::AddRef() { return m_pThis->ExternalAddRef(); }
STDMETHODIMP_(ULONG) COleClientItem::XOleIPFrame::Release() {
  return m_pThis->m_dwRef > 1 ? m_pThis->ExternalRelease() : 1;
}
STDMETHODIMP COleClientItem::XOleIPFrame::GetWindow(HWND* phwnd) {
  if (phwnd == NULL) return E_POINTER;
  HWND h = m_pThis->m_pView ? m_pThis->m_pView->GetSafeHwnd() : NULL;
  *phwnd = h ? ::GetAncestor(h, GA_ROOT) : NULL;
  return *phwnd ? S_OK : E_FAIL;
}
STDMETHODIMP COleClientItem::XOleIPFrame::SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR) {
  if (pActiveObject == NULL) return S_OK;  // the object keeps its in-place interface until it deactivates
  LPOLEINPLACEOBJECT p = NULL;
  if (SUCCEEDED(pActiveObject->QueryInterface(IID_IOleInPlaceObject, (void**)&p))) {
    m_pThis->ReleaseInPlaceObject();
    m_pThis->m_lpInPlaceObject = p;
  }
  return S_OK;
}
