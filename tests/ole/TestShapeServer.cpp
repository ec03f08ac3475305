// Our own out-of-process OLE server for the tests: a coloured box with a caption. It keeps
// colour, caption and extent in its storage, gives the container's cache a picture, opens
// its window on OPEN, shows itself in a window inside the container's view when asked to
// activate in place, and obeys the commands a test posts to those windows.
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "TestShapeServer.h"
#include "afxdisp.h"

namespace {

const char kWindowClass[] = TESTSHAPE_WINDOW_CLASS;

// Stops serving the class and ends the program (defined with the factory).
void EndServing();

class CTestShape : public CCmdTarget, public COleComObject {
  DECLARE_DYNCREATE(CTestShape)
 public:
  CTestShape();
  ~CTestShape() override;
  HRESULT QueryComInterface(REFIID riid, void** ppv) override;

  void Paint(HDC hDC, const RECT& rc);
  HENHMETAFILE MakePicture();
  HGLOBAL MakeMetafilePict();
  void Changed();
  void ShowWindow(BOOL bShow);
  static void RegisterWindowClass();
  // In place: a child window of the container's view at the place the container gives.
  HRESULT ActivateInPlace(BOOL bUI);
  void UIDeactivate();
  void DeactivateInPlace();
  LRESULT OnCommand(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

  COLORREF m_color = RGB(255, 0, 0);
  std::string m_caption = "テスト";
  SIZEL m_extent = {2540, 1270};
  BOOL m_bDirty = FALSE;
  LPOLECLIENTSITE m_pSite = NULL;
  LPOLEADVISEHOLDER m_pOleAdvise = NULL;
  // The data sinks, told with the picture's real format (the platform's holder would
  // repeat the format asked for, which a cache keeping "whatever draws" leaves empty).
  struct Sink {
    IAdviseSink* p;
    DWORD advf;
    DWORD id;
    CLIPFORMAT cf;
  };
  std::vector<Sink> m_sinks;
  DWORD m_nextSink = 1;
  void SendData(const Sink& k);
  LPSTORAGE m_pStorage = NULL;
  HWND m_hWnd = NULL;
  HWND m_hWndInPlace = NULL;
  IOleInPlaceSite* m_pIPSite = NULL;
  IOleInPlaceFrame* m_pIPFrame = NULL;
  BOOL m_bUIActive = FALSE;

  struct XInPlaceObject : public IOleInPlaceObject {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override { return T()->QueryComInterface(riid, ppv); }
    STDMETHOD_(ULONG, AddRef)() override { return T()->ExternalAddRef(); }
    STDMETHOD_(ULONG, Release)() override { return T()->ExternalRelease(); }
    STDMETHOD(GetWindow)(HWND* p) override {
      *p = T()->m_hWndInPlace;
      return *p ? S_OK : E_FAIL;
    }
    STDMETHOD(ContextSensitiveHelp)(BOOL) override { return E_NOTIMPL; }
    STDMETHOD(InPlaceDeactivate)() override {
      T()->DeactivateInPlace();
      return S_OK;
    }
    STDMETHOD(UIDeactivate)() override {
      T()->UIDeactivate();
      return S_OK;
    }
    STDMETHOD(SetObjectRects)(LPCRECT pos, LPCRECT) override {
      if (T()->m_hWndInPlace)
        ::MoveWindow(T()->m_hWndInPlace, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, TRUE);
      return S_OK;
    }
    STDMETHOD(ReactivateAndUndo)() override { return E_NOTIMPL; }
    CTestShape* T() { return (CTestShape*)((BYTE*)this - offsetof(CTestShape, m_xInPlaceObject)); }
  } m_xInPlaceObject;

  struct XInPlaceActiveObject : public IOleInPlaceActiveObject {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override { return T()->QueryComInterface(riid, ppv); }
    STDMETHOD_(ULONG, AddRef)() override { return T()->ExternalAddRef(); }
    STDMETHOD_(ULONG, Release)() override { return T()->ExternalRelease(); }
    STDMETHOD(GetWindow)(HWND* p) override {
      *p = T()->m_hWndInPlace;
      return *p ? S_OK : E_FAIL;
    }
    STDMETHOD(ContextSensitiveHelp)(BOOL) override { return E_NOTIMPL; }
    STDMETHOD(TranslateAccelerator)(LPMSG) override { return S_FALSE; }
    STDMETHOD(OnFrameWindowActivate)(BOOL) override { return S_OK; }
    STDMETHOD(OnDocWindowActivate)(BOOL) override { return S_OK; }
    STDMETHOD(ResizeBorder)(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHOD(EnableModeless)(BOOL) override { return S_OK; }
    CTestShape* T() { return (CTestShape*)((BYTE*)this - offsetof(CTestShape, m_xInPlaceActiveObject)); }
  } m_xInPlaceActiveObject;

  struct XOleObject : public IOleObject {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override { return T()->QueryComInterface(riid, ppv); }
    STDMETHOD_(ULONG, AddRef)() override { return T()->ExternalAddRef(); }
    STDMETHOD_(ULONG, Release)() override { return T()->ExternalRelease(); }
    STDMETHOD(SetClientSite)(IOleClientSite* p) override;
    STDMETHOD(GetClientSite)(IOleClientSite** pp) override;
    STDMETHOD(SetHostNames)(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHOD(Close)(DWORD dwSaveOption) override;
    STDMETHOD(SetMoniker)(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHOD(GetMoniker)(DWORD, DWORD, IMoniker** pp) override {
      *pp = NULL;
      return E_NOTIMPL;
    }
    STDMETHOD(InitFromData)(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetClipboardData)(DWORD, IDataObject** pp) override {
      *pp = NULL;
      return E_NOTIMPL;
    }
    STDMETHOD(DoVerb)(LONG iVerb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override;
    STDMETHOD(EnumVerbs)(IEnumOLEVERB** pp) override { return ::OleRegEnumVerbs(CLSID_TestShape, pp); }
    STDMETHOD(Update)() override { return S_OK; }
    STDMETHOD(IsUpToDate)() override { return S_OK; }
    STDMETHOD(GetUserClassID)(CLSID* p) override {
      *p = CLSID_TestShape;
      return S_OK;
    }
    STDMETHOD(GetUserType)(DWORD dwForm, LPOLESTR* p) override { return ::OleRegGetUserType(CLSID_TestShape, dwForm, p); }
    STDMETHOD(SetExtent)(DWORD dwAspect, SIZEL* p) override;
    STDMETHOD(GetExtent)(DWORD dwAspect, SIZEL* p) override;
    STDMETHOD(Advise)(IAdviseSink* p, DWORD* pdw) override;
    STDMETHOD(Unadvise)(DWORD dw) override;
    STDMETHOD(EnumAdvise)(IEnumSTATDATA** pp) override;
    STDMETHOD(GetMiscStatus)(DWORD dwAspect, DWORD* p) override {
      *p = 0;
      return S_OK;
    }
    STDMETHOD(SetColorScheme)(LOGPALETTE*) override { return E_NOTIMPL; }
    CTestShape* T() { return (CTestShape*)((BYTE*)this - offsetof(CTestShape, m_xOleObject)); }
  } m_xOleObject;

  struct XDataObject : public IDataObject {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override { return T()->QueryComInterface(riid, ppv); }
    STDMETHOD_(ULONG, AddRef)() override { return T()->ExternalAddRef(); }
    STDMETHOD_(ULONG, Release)() override { return T()->ExternalRelease(); }
    STDMETHOD(GetData)(FORMATETC* pfe, STGMEDIUM* pm) override;
    STDMETHOD(GetDataHere)(FORMATETC* pfe, STGMEDIUM* pm) override;
    STDMETHOD(QueryGetData)(FORMATETC* pfe) override;
    STDMETHOD(GetCanonicalFormatEtc)(FORMATETC*, FORMATETC* pOut) override {
      pOut->ptd = NULL;
      return DATA_S_SAMEFORMATETC;
    }
    STDMETHOD(SetData)(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHOD(EnumFormatEtc)(DWORD dwDirection, IEnumFORMATETC** pp) override;
    STDMETHOD(DAdvise)(FORMATETC* pfe, DWORD advf, IAdviseSink* pSink, DWORD* pdw) override;
    STDMETHOD(DUnadvise)(DWORD dw) override;
    STDMETHOD(EnumDAdvise)(IEnumSTATDATA** pp) override;
    CTestShape* T() { return (CTestShape*)((BYTE*)this - offsetof(CTestShape, m_xDataObject)); }
  } m_xDataObject;

  struct XPersistStorage : public IPersistStorage {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override { return T()->QueryComInterface(riid, ppv); }
    STDMETHOD_(ULONG, AddRef)() override { return T()->ExternalAddRef(); }
    STDMETHOD_(ULONG, Release)() override { return T()->ExternalRelease(); }
    STDMETHOD(GetClassID)(CLSID* p) override {
      *p = CLSID_TestShape;
      return S_OK;
    }
    STDMETHOD(IsDirty)() override { return T()->m_bDirty ? S_OK : S_FALSE; }
    STDMETHOD(InitNew)(IStorage* p) override;
    STDMETHOD(Load)(IStorage* p) override;
    STDMETHOD(Save)(IStorage* p, BOOL fSameAsLoad) override;
    STDMETHOD(SaveCompleted)(IStorage* p) override;
    STDMETHOD(HandsOffStorage)() override;
    CTestShape* T() { return (CTestShape*)((BYTE*)this - offsetof(CTestShape, m_xPersistStorage)); }
  } m_xPersistStorage;

  // A file of our extension is a compound file holding the object's storage.
  struct XPersistFile : public IPersistFile {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override { return T()->QueryComInterface(riid, ppv); }
    STDMETHOD_(ULONG, AddRef)() override { return T()->ExternalAddRef(); }
    STDMETHOD_(ULONG, Release)() override { return T()->ExternalRelease(); }
    STDMETHOD(GetClassID)(CLSID* p) override {
      *p = CLSID_TestShape;
      return S_OK;
    }
    STDMETHOD(IsDirty)() override { return S_FALSE; }
    STDMETHOD(Load)(LPCOLESTR pszFile, DWORD) override;
    STDMETHOD(Save)(LPCOLESTR, BOOL) override { return E_NOTIMPL; }
    STDMETHOD(SaveCompleted)(LPCOLESTR) override { return S_OK; }
    STDMETHOD(GetCurFile)(LPOLESTR*) override { return E_NOTIMPL; }
    CTestShape* T() { return (CTestShape*)((BYTE*)this - offsetof(CTestShape, m_xPersistFile)); }
  } m_xPersistFile;
};

CLIPFORMAT EmbedSourceFormat() {
  static const CLIPFORMAT cf = (CLIPFORMAT)::RegisterClipboardFormat("Embed Source");
  return cf;
}
IMPLEMENT_DYNCREATE(CTestShape, CCmdTarget)

CTestShape::CTestShape() {
  AfxOleLockApp();
  ::CreateOleAdviseHolder(&m_pOleAdvise);
}

CTestShape::~CTestShape() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
  if (m_hWndInPlace) ::DestroyWindow(m_hWndInPlace);
  if (m_pIPFrame) m_pIPFrame->Release();
  if (m_pIPSite) m_pIPSite->Release();
  if (m_pSite) m_pSite->Release();
  if (m_pStorage) m_pStorage->Release();
  if (m_pOleAdvise) m_pOleAdvise->Release();
  for (Sink& k : m_sinks) k.p->Release();
  AfxOleUnlockApp();
  // Nobody holds an object any more: the server ends, and first withdraws its class so
  // that a container asking meanwhile starts a new server instead of reaching this one.
  if (AfxOleCanExitApp()) EndServing();
}

HRESULT CTestShape::QueryComInterface(REFIID riid, void** ppv) {
  if (riid == IID_IUnknown || riid == IID_IOleObject)
    *ppv = static_cast<IOleObject*>(&m_xOleObject);
  else if (riid == IID_IDataObject)
    *ppv = static_cast<IDataObject*>(&m_xDataObject);
  else if (riid == IID_IPersistStorage || riid == IID_IPersist)
    *ppv = static_cast<IPersistStorage*>(&m_xPersistStorage);
  else if (riid == IID_IPersistFile)
    *ppv = static_cast<IPersistFile*>(&m_xPersistFile);
  else if (riid == IID_IOleInPlaceObject || riid == IID_IOleWindow)
    *ppv = static_cast<IOleInPlaceObject*>(&m_xInPlaceObject);
  else if (riid == IID_IOleInPlaceActiveObject)
    *ppv = static_cast<IOleInPlaceActiveObject*>(&m_xInPlaceActiveObject);
  else {
    *ppv = NULL;
    return E_NOINTERFACE;
  }
  ExternalAddRef();
  return S_OK;
}

void CTestShape::Paint(HDC hDC, const RECT& rc) {
  HBRUSH b = ::CreateSolidBrush(m_color);
  ::FillRect(hDC, &rc, b);
  ::DeleteObject(b);
  ::SetBkMode(hDC, TRANSPARENT);
  ::SetTextColor(hDC, RGB(255, 255, 255));
  RECT r = rc;
  ::DrawText(hDC, m_caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

HENHMETAFILE CTestShape::MakePicture() {
  // Frame in 0.01 mm: the extent.
  RECT frame = {0, 0, m_extent.cx, m_extent.cy};
  HDC hDC = ::CreateEnhMetaFile(NULL, NULL, &frame, NULL);
  HDC hScreen = ::GetDC(NULL);
  const int cx = ::MulDiv(m_extent.cx, ::GetDeviceCaps(hScreen, LOGPIXELSX), 2540);
  const int cy = ::MulDiv(m_extent.cy, ::GetDeviceCaps(hScreen, LOGPIXELSY), 2540);
  ::ReleaseDC(NULL, hScreen);
  RECT rc = {0, 0, cx, cy};
  Paint(hDC, rc);
  return ::CloseEnhMetaFile(hDC);
}

HGLOBAL CTestShape::MakeMetafilePict() {
  HDC hDC = ::CreateMetaFile(NULL);
  ::SetMapMode(hDC, MM_ANISOTROPIC);
  ::SetWindowOrgEx(hDC, 0, 0, NULL);
  ::SetWindowExtEx(hDC, m_extent.cx, m_extent.cy, NULL);
  RECT rc = {0, 0, m_extent.cx, m_extent.cy};
  Paint(hDC, rc);
  HMETAFILE hMF = ::CloseMetaFile(hDC);
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
  METAFILEPICT* p = (METAFILEPICT*)::GlobalLock(h);
  p->mm = MM_ANISOTROPIC;
  p->xExt = m_extent.cx;
  p->yExt = m_extent.cy;
  p->hMF = hMF;
  ::GlobalUnlock(h);
  return h;
}

void CTestShape::Changed() {
  m_bDirty = TRUE;
  if (m_hWnd) ::InvalidateRect(m_hWnd, NULL, TRUE);
  if (m_hWndInPlace) ::InvalidateRect(m_hWndInPlace, NULL, TRUE);
  const std::vector<Sink> sinks = m_sinks;
  for (const Sink& k : sinks) SendData(k);
}

void CTestShape::RegisterWindowClass() {
  WNDCLASS wc = {};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = ::GetModuleHandle(NULL);
  wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
  wc.lpszClassName = kWindowClass;
  ::RegisterClass(&wc);
}

HRESULT CTestShape::ActivateInPlace(BOOL bUI) {
  if (m_hWndInPlace == NULL) {
    IOleInPlaceSite* ip = NULL;
    if (m_pSite == NULL || FAILED(m_pSite->QueryInterface(IID_IOleInPlaceSite, (void**)&ip))) return E_NOINTERFACE;
    if (ip->CanInPlaceActivate() != S_OK) {
      ip->Release();
      return E_FAIL;
    }
    ip->OnInPlaceActivate();
    HWND hParent = NULL;
    IOleInPlaceFrame* frame = NULL;
    IOleInPlaceUIWindow* doc = NULL;
    RECT pos = {}, clip = {};
    OLEINPLACEFRAMEINFO info = {sizeof info};
    if (FAILED(ip->GetWindow(&hParent)) || FAILED(ip->GetWindowContext(&frame, &doc, &pos, &clip, &info))) {
      if (frame) frame->Release();
      ip->OnInPlaceDeactivate();
      ip->Release();
      return E_FAIL;
    }
    if (doc) doc->Release();
    RegisterWindowClass();
    m_hWndInPlace = ::CreateWindow(kWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, pos.left, pos.top,
                                   pos.right - pos.left, pos.bottom - pos.top, hParent, NULL,
                                   ::GetModuleHandle(NULL), this);
    m_pIPSite = ip;
    m_pIPFrame = frame;
    if (m_hWndInPlace == NULL) {
      DeactivateInPlace();
      return E_FAIL;
    }
  }
  if (bUI && !m_bUIActive) {
    m_bUIActive = TRUE;
    m_pIPSite->OnUIActivate();
    if (m_pIPFrame) m_pIPFrame->SetActiveObject(&m_xInPlaceActiveObject, L"テスト図形");
  }
  return S_OK;
}

void CTestShape::UIDeactivate() {
  if (!m_bUIActive) return;
  m_bUIActive = FALSE;
  if (m_pIPFrame) m_pIPFrame->SetActiveObject(NULL, NULL);
  if (m_pIPSite) m_pIPSite->OnUIDeactivate(FALSE);
}

void CTestShape::DeactivateInPlace() {
  ExternalAddRef();  // the container may let go during the calls below
  UIDeactivate();
  if (HWND h = m_hWndInPlace) {
    m_hWndInPlace = NULL;
    ::DestroyWindow(h);
  }
  IOleInPlaceSite* ip = m_pIPSite;
  m_pIPSite = NULL;
  if (m_pIPFrame) m_pIPFrame->Release();
  m_pIPFrame = NULL;
  if (ip) {
    ip->OnInPlaceDeactivate();
    ip->Release();
  }
  ExternalRelease();
}

void CTestShape::ShowWindow(BOOL bShow) {
  if (bShow && m_hWnd == NULL) {
    RegisterWindowClass();
    m_hWnd = ::CreateWindow(kWindowClass, TESTSHAPE_TYPE, WS_OVERLAPPEDWINDOW, 500, 40, 320, 200, NULL, NULL,
                            ::GetModuleHandle(NULL), this);
  }
  if (m_hWnd == NULL) return;
  ::ShowWindow(m_hWnd, bShow ? SW_SHOW : SW_HIDE);
  if (m_pSite) m_pSite->OnShowWindow(bShow);
}

LRESULT CALLBACK CTestShape::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) ::SetWindowLongPtr(hWnd, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCT*)lParam)->lpCreateParams);
  CTestShape* p = (CTestShape*)::GetWindowLongPtr(hWnd, GWLP_USERDATA);
  if (p == NULL) return ::DefWindowProc(hWnd, msg, wParam, lParam);
  return p->OnCommand(hWnd, msg, wParam, lParam);
}

LRESULT CTestShape::OnCommand(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hDC = ::BeginPaint(hWnd, &ps);
      RECT rc;
      ::GetClientRect(hWnd, &rc);
      Paint(hDC, rc);
      ::EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_CLOSE:
    case TESTSHAPE_CLOSE:
      m_xOleObject.Close(OLECLOSE_SAVEIFDIRTY);
      return 0;
    case TESTSHAPE_SETCOLOR:
      m_color = (COLORREF)wParam;
      Changed();
      return 0;
    case TESTSHAPE_SETEXTENT:
      m_extent.cx = (LONG)wParam;
      m_extent.cy = (LONG)lParam;
      Changed();
      return 0;
    case TESTSHAPE_SAVE:
      if (m_pSite) m_pSite->SaveObject();
      return 0;
    case TESTSHAPE_MOVEINPLACE:
      if (hWnd == m_hWndInPlace && m_pIPSite) {
        RECT r;
        ::GetWindowRect(hWnd, &r);
        ::MapWindowPoints(NULL, ::GetParent(hWnd), (POINT*)&r, 2);
        ::OffsetRect(&r, (int)wParam, (int)lParam);
        m_pIPSite->OnPosRectChange(&r);
      }
      return 0;
    case WM_NCDESTROY:
      if (hWnd == m_hWnd) m_hWnd = NULL;
      if (hWnd == m_hWndInPlace) m_hWndInPlace = NULL;
      break;
  }
  return ::DefWindowProc(hWnd, msg, wParam, lParam);
}

STDMETHODIMP CTestShape::XOleObject::SetClientSite(IOleClientSite* p) {
  CTestShape* t = T();
  if (p) p->AddRef();
  if (t->m_pSite) t->m_pSite->Release();
  t->m_pSite = p;
  return S_OK;
}

STDMETHODIMP CTestShape::XOleObject::GetClientSite(IOleClientSite** pp) {
  *pp = T()->m_pSite;
  if (*pp) (*pp)->AddRef();
  return S_OK;
}

STDMETHODIMP CTestShape::XOleObject::Close(DWORD dwSaveOption) {
  CTestShape* t = T();
  t->ExternalAddRef();  // the container lets go during the calls below
  t->DeactivateInPlace();
  if (dwSaveOption != OLECLOSE_NOSAVE && t->m_bDirty && t->m_pSite) t->m_pSite->SaveObject();
  if (t->m_hWnd) t->ShowWindow(FALSE);
  if (t->m_pOleAdvise) t->m_pOleAdvise->SendOnClose();
  ::CoDisconnectObject((IUnknown*)(IOleObject*)this, 0);
  t->ExternalRelease();
  return S_OK;
}

STDMETHODIMP CTestShape::XOleObject::DoVerb(LONG iVerb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) {
  CTestShape* t = T();
  switch (iVerb) {
    case OLEIVERB_HIDE:
      t->DeactivateInPlace();
      t->ShowWindow(FALSE);
      return S_OK;
    case OLEIVERB_INPLACEACTIVATE:
      return t->ActivateInPlace(FALSE);
    case OLEIVERB_UIACTIVATE:
      return t->ActivateInPlace(TRUE);
    case OLEIVERB_PRIMARY:
    case OLEIVERB_OPEN:
    case OLEIVERB_SHOW:
    case 1:
      if (t->m_pSite) t->m_pSite->ShowObject();
      t->ShowWindow(TRUE);
      return S_OK;
    default:
      return OLEOBJ_S_INVALIDVERB;
  }
}

STDMETHODIMP CTestShape::XOleObject::SetExtent(DWORD dwAspect, SIZEL* p) {
  if (dwAspect != DVASPECT_CONTENT || p == NULL) return E_FAIL;
  T()->m_extent = *p;
  T()->Changed();
  return S_OK;
}

STDMETHODIMP CTestShape::XOleObject::GetExtent(DWORD dwAspect, SIZEL* p) {
  if (dwAspect != DVASPECT_CONTENT || p == NULL) return E_FAIL;
  *p = T()->m_extent;
  return S_OK;
}

STDMETHODIMP CTestShape::XOleObject::Advise(IAdviseSink* p, DWORD* pdw) { return T()->m_pOleAdvise->Advise(p, pdw); }
STDMETHODIMP CTestShape::XOleObject::Unadvise(DWORD dw) { return T()->m_pOleAdvise->Unadvise(dw); }
STDMETHODIMP CTestShape::XOleObject::EnumAdvise(IEnumSTATDATA** pp) { return T()->m_pOleAdvise->EnumAdvise(pp); }

STDMETHODIMP CTestShape::XDataObject::GetData(FORMATETC* pfe, STGMEDIUM* pm) {
  if (pfe == NULL || pm == NULL) return E_INVALIDARG;
  if (pfe->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  memset(pm, 0, sizeof *pm);
  // A cache that keeps "whatever draws" asks for no format: it gets the picture.
  if ((pfe->cfFormat == CF_ENHMETAFILE && (pfe->tymed & TYMED_ENHMF)) || pfe->cfFormat == 0) {
    pm->tymed = TYMED_ENHMF;
    pm->hEnhMetaFile = T()->MakePicture();
    return S_OK;
  }
  if (pfe->cfFormat == CF_METAFILEPICT && (pfe->tymed & TYMED_MFPICT)) {
    pm->tymed = TYMED_MFPICT;
    pm->hMetaFilePict = T()->MakeMetafilePict();
    return S_OK;
  }
  if (pfe->cfFormat == EmbedSourceFormat() && (pfe->tymed & TYMED_ISTORAGE)) {
    ILockBytes* bytes = NULL;
    if (FAILED(::CreateILockBytesOnHGlobal(NULL, TRUE, &bytes))) return E_OUTOFMEMORY;
    IStorage* stg = NULL;
    HRESULT hr = ::StgCreateDocfileOnILockBytes(bytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &stg);
    bytes->Release();
    if (FAILED(hr)) return hr;
    pm->tymed = TYMED_ISTORAGE;
    pm->pstg = stg;
    pm->pUnkForRelease = NULL;
    return GetDataHere(pfe, pm);
  }
  return DV_E_FORMATETC;
}

// Our object as a storage of its own ("Embed Source"), for a container embedding a file.
STDMETHODIMP CTestShape::XDataObject::GetDataHere(FORMATETC* pfe, STGMEDIUM* pm) {
  if (pfe == NULL || pm == NULL) return E_INVALIDARG;
  if (pfe->cfFormat != EmbedSourceFormat() || pm->tymed != TYMED_ISTORAGE || pm->pstg == NULL) return DV_E_FORMATETC;
  HRESULT hr = T()->m_xPersistStorage.Save(pm->pstg, FALSE);
  if (SUCCEEDED(hr)) hr = pm->pstg->Commit(STGC_DEFAULT);
  return hr;
}

STDMETHODIMP CTestShape::XPersistFile::Load(LPCOLESTR pszFile, DWORD) {
  IStorage* stg = NULL;
  HRESULT hr = ::StgOpenStorage(pszFile, NULL, STGM_READ | STGM_SHARE_DENY_WRITE, NULL, 0, &stg);
  if (FAILED(hr)) return hr;
  hr = T()->m_xPersistStorage.Load(stg);
  T()->m_xPersistStorage.HandsOffStorage();  // the file is not kept open
  stg->Release();
  return hr;
}

STDMETHODIMP CTestShape::XDataObject::QueryGetData(FORMATETC* pfe) {
  if (pfe == NULL) return E_INVALIDARG;
  if (pfe->cfFormat == 0 || (pfe->cfFormat == CF_ENHMETAFILE && (pfe->tymed & TYMED_ENHMF))) return S_OK;
  if (pfe->cfFormat == CF_METAFILEPICT && (pfe->tymed & TYMED_MFPICT)) return S_OK;
  if (pfe->cfFormat == EmbedSourceFormat() && (pfe->tymed & TYMED_ISTORAGE)) return S_OK;
  return DV_E_FORMATETC;
}

STDMETHODIMP CTestShape::XDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** pp) {
  if (dwDirection != DATADIR_GET) return E_NOTIMPL;
  FORMATETC f[2] = {{CF_ENHMETAFILE, NULL, DVASPECT_CONTENT, -1, TYMED_ENHMF},
                    {CF_METAFILEPICT, NULL, DVASPECT_CONTENT, -1, TYMED_MFPICT}};
  return ::SHCreateStdEnumFmtEtc(2, f, pp);
}

void CTestShape::SendData(const Sink& k) {
  // In the format the sink asked for; a sink that named none gets the enhanced metafile.
  const bool mf = k.cf == CF_METAFILEPICT;
  FORMATETC fe = {(CLIPFORMAT)(mf ? CF_METAFILEPICT : CF_ENHMETAFILE), NULL, DVASPECT_CONTENT, -1,
                  (DWORD)(mf ? TYMED_MFPICT : TYMED_ENHMF)};
  STGMEDIUM m = {};
  if (!(k.advf & ADVF_NODATA)) {
    m.tymed = fe.tymed;
    if (mf)
      m.hMetaFilePict = MakeMetafilePict();
    else
      m.hEnhMetaFile = MakePicture();
  }
  k.p->OnDataChange(&fe, &m);
  ::ReleaseStgMedium(&m);
}

STDMETHODIMP CTestShape::XDataObject::DAdvise(FORMATETC* pfe, DWORD advf, IAdviseSink* pSink, DWORD* pdw) {
  if (pSink == NULL || pdw == NULL || pfe == NULL) return E_INVALIDARG;
  if (pfe->cfFormat != 0 && QueryGetData(pfe) != S_OK) return DV_E_FORMATETC;
  CTestShape* t = T();
  pSink->AddRef();
  const Sink k = {pSink, advf, t->m_nextSink++, pfe->cfFormat};
  t->m_sinks.push_back(k);
  *pdw = k.id;
  if (advf & ADVF_PRIMEFIRST) t->SendData(k);
  return S_OK;
}
STDMETHODIMP CTestShape::XDataObject::DUnadvise(DWORD dw) {
  std::vector<Sink>& v = T()->m_sinks;
  for (size_t i = 0; i < v.size(); i++) {
    if (v[i].id != dw) continue;
    v[i].p->Release();
    v.erase(v.begin() + i);
    return S_OK;
  }
  return OLE_E_NOCONNECTION;
}
STDMETHODIMP CTestShape::XDataObject::EnumDAdvise(IEnumSTATDATA** pp) {
  *pp = NULL;
  return OLE_E_ADVISENOTSUPPORTED;
}

// The storage holds one stream, "Contents": colour, extent and the caption's length and bytes.
STDMETHODIMP CTestShape::XPersistStorage::InitNew(IStorage* p) {
  if (p == NULL) return E_INVALIDARG;
  p->AddRef();
  if (T()->m_pStorage) T()->m_pStorage->Release();
  T()->m_pStorage = p;
  return S_OK;
}

STDMETHODIMP CTestShape::XPersistStorage::Load(IStorage* p) {
  if (p == NULL) return E_INVALIDARG;
  CTestShape* t = T();
  IStream* s = NULL;
  if (FAILED(p->OpenStream(L"Contents", NULL, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &s))) return STG_E_FILENOTFOUND;
  ULONG n = 0, len = 0;
  char buf[256] = {};
  HRESULT hr = s->Read(&t->m_color, 4, &n);
  if (SUCCEEDED(hr)) hr = s->Read(&t->m_extent, 8, &n);
  if (SUCCEEDED(hr)) hr = s->Read(&len, 4, &n);
  if (SUCCEEDED(hr) && len < sizeof buf) hr = s->Read(buf, len, &n);
  s->Release();
  if (FAILED(hr) || len >= sizeof buf) return STG_E_READFAULT;
  t->m_caption.assign(buf, len);
  return InitNew(p);
}

STDMETHODIMP CTestShape::XPersistStorage::Save(IStorage* p, BOOL) {
  if (p == NULL) return E_INVALIDARG;
  CTestShape* t = T();
  ::WriteClassStg(p, CLSID_TestShape);
  IStream* s = NULL;
  HRESULT hr = p->CreateStream(L"Contents", STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, 0, &s);
  if (FAILED(hr)) return hr;
  const ULONG len = (ULONG)t->m_caption.size();
  s->Write(&t->m_color, 4, NULL);
  s->Write(&t->m_extent, 8, NULL);
  s->Write(&len, 4, NULL);
  hr = s->Write(t->m_caption.data(), len, NULL);
  s->Release();
  return hr;
}

STDMETHODIMP CTestShape::XPersistStorage::SaveCompleted(IStorage* p) {
  if (p) InitNew(p);
  T()->m_bDirty = FALSE;
  if (T()->m_pOleAdvise) T()->m_pOleAdvise->SendOnSave();
  return S_OK;
}

STDMETHODIMP CTestShape::XPersistStorage::HandsOffStorage() {
  if (T()->m_pStorage) T()->m_pStorage->Release();
  T()->m_pStorage = NULL;
  return S_OK;
}

// The class: its name, verbs and extension, served by this program started with
// "/Embedding".
class CTestShapeFactory : public COleObjectFactory {
 public:
  CTestShapeFactory() : COleObjectFactory(CLSID_TestShape, RUNTIME_CLASS(CTestShape), FALSE, TESTSHAPE_PROGID) {}
  BOOL UpdateRegistry(BOOL bRegister) override {
    const CString key = "CLSID\\" + AfxStringFromCLSID(m_clsid);
    if (!bRegister) {
      AfxDeleteClassesRootKey(TESTSHAPE_EXTENSION);
      return COleObjectFactory::UpdateRegistry(FALSE);
    }
    char self[MAX_PATH];
    ::GetModuleFileName(NULL, self, MAX_PATH);
    const CString clsid = AfxStringFromCLSID(m_clsid);
    return AfxSetClassesRootValue(key, NULL, TESTSHAPE_TYPE) &&
           AfxSetClassesRootValue(key + "\\LocalServer32", NULL, self) &&
           // The platform's default handler stands for us in the container's process.
           AfxSetClassesRootValue(key + "\\InprocHandler32", NULL, "ole32.dll") &&
           AfxSetClassesRootValue(key + "\\ProgID", NULL, TESTSHAPE_PROGID) &&
           AfxSetClassesRootValue(key + "\\Insertable", NULL, "") &&
           AfxSetClassesRootValue(key + "\\AuxUserType\\2", NULL, TESTSHAPE_TYPE) &&
           AfxSetClassesRootValue(key + "\\AuxUserType\\3", NULL, "QVZ Test Shape") &&
           AfxSetClassesRootValue(key + "\\MiscStatus", NULL, "0") &&
           AfxSetClassesRootValue(key + "\\Verb\\0", NULL, "編集(&E),0,2") &&
           AfxSetClassesRootValue(key + "\\Verb\\1", NULL, "開く(&O),0,2") &&
           AfxSetClassesRootValue(TESTSHAPE_PROGID, NULL, TESTSHAPE_TYPE) &&
           AfxSetClassesRootValue(TESTSHAPE_PROGID "\\CLSID", NULL, clsid) &&
           AfxSetClassesRootValue(TESTSHAPE_PROGID "\\Insertable", NULL, "") &&
           AfxSetClassesRootValue(TESTSHAPE_EXTENSION, NULL, TESTSHAPE_PROGID);
  }
};
CTestShapeFactory theFactory;

DWORD s_dwMainThread = 0;

void EndServing() {
  // The last release of an object the container closed (its Close disconnects it while the
  // call is still running) comes on one of the platform's threads: the class is withdrawn
  // and the loop ended on the thread that registered them.
  if (::GetCurrentThreadId() != s_dwMainThread) {
    ::PostThreadMessage(s_dwMainThread, WM_QUIT, 0, 0);
    return;
  }
  theFactory.Revoke();
  ::PostQuitMessage(0);
}

class CTestShapeApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    if (!AfxOleInit()) return FALSE;
    s_dwMainThread = ::GetCurrentThreadId();
    CCommandLineInfo cmd;
    ParseCommandLine(cmd);
    const CString line = ::GetCommandLine();
    if (line.Find("/RegServer") >= 0 || line.Find("-RegServer") >= 0) {
      theFactory.UpdateRegistry(TRUE);
      return FALSE;
    }
    if (line.Find("/UnregServer") >= 0) {
      theFactory.UpdateRegistry(FALSE);
      return FALSE;
    }
    if (!cmd.m_bRunEmbedded) return FALSE;
    // Waits for the container; ends when its object is released.
    AfxOleSetUserCtrl(FALSE);
    return theFactory.Register();
  }
  int ExitInstance() override {
    theFactory.Revoke();
    AfxOleTerm();
    return CWinApp::ExitInstance();
  }
};
CTestShapeApp theApp;

}  // namespace
