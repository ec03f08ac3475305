// Data we offer to the clipboard or a drag: cached media handed out as copies, or data
// rendered only when a receiver asks for it.
#include <shlobj.h>

#include <vector>

#include "afxole.h"

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

namespace {

COleDataSource* s_pClipboardSource = NULL;

// A copy of the medium that the receiver frees as its own.
HRESULT CopyMedium(CLIPFORMAT cf, const STGMEDIUM& from, LPSTGMEDIUM to) {
  memset(to, 0, sizeof *to);
  to->tymed = from.tymed;
  switch (from.tymed) {
    case TYMED_HGLOBAL:
    case TYMED_GDI:
    case TYMED_MFPICT:
    case TYMED_ENHMF: {
      HANDLE h = ::OleDuplicateData(from.hGlobal, cf, GMEM_MOVEABLE);
      if (h == NULL) return E_OUTOFMEMORY;
      to->hGlobal = (HGLOBAL)h;
      return S_OK;
    }
    case TYMED_ISTREAM:
      to->pstm = from.pstm;
      to->pstm->AddRef();
      return S_OK;
    case TYMED_ISTORAGE:
      to->pstg = from.pstg;
      to->pstg->AddRef();
      return S_OK;
    case TYMED_FILE: {
      const size_t n = (wcslen(from.lpszFileName) + 1) * sizeof(WCHAR);
      to->lpszFileName = (LPOLESTR)::CoTaskMemAlloc(n);
      if (to->lpszFileName == NULL) return E_OUTOFMEMORY;
      memcpy(to->lpszFileName, from.lpszFileName, n);
      return S_OK;
    }
    default: return DV_E_TYMED;
  }
}

}  // namespace

COleDataSource::COleDataSource() { m_xDataObject.m_pThis = this; }

COleDataSource::~COleDataSource() {
  if (s_pClipboardSource == this) s_pClipboardSource = NULL;
  Empty();
}

void COleDataSource::Empty() {
  for (INT_PTR i = 0; i < m_entries.GetSize(); i++) {
    Entry* e = (Entry*)m_entries[i];
    if (e->medium.tymed != TYMED_NULL) ::ReleaseStgMedium(&e->medium);
    if (e->fe.ptd) ::CoTaskMemFree(e->fe.ptd);
    delete e;
  }
  m_entries.RemoveAll();
}

COleDataSource::Entry* COleDataSource::NewEntry(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymedDefault) {
  Entry* e = new Entry;
  memset(e, 0, sizeof *e);
  if (lpFormatEtc) {
    e->fe = *lpFormatEtc;
    e->fe.ptd = NULL;  // one device description per entry is not worth keeping
  } else {
    e->fe.dwAspect = DVASPECT_CONTENT;
    e->fe.lindex = -1;
    e->fe.tymed = tymedDefault;
  }
  e->fe.cfFormat = cfFormat;
  // A later offer of the same format and aspect replaces the earlier one.
  for (INT_PTR i = 0; i < m_entries.GetSize(); i++) {
    Entry* old = (Entry*)m_entries[i];
    if (old->fe.cfFormat == cfFormat && old->fe.dwAspect == e->fe.dwAspect && old->fe.lindex == e->fe.lindex) {
      if (old->medium.tymed != TYMED_NULL) ::ReleaseStgMedium(&old->medium);
      delete old;
      m_entries.RemoveAt(i);
      break;
    }
  }
  m_entries.Add(e);
  return e;
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc) {
  Entry* e = NewEntry(cfFormat, lpFormatEtc, lpStgMedium->tymed);
  e->fe.tymed = lpStgMedium->tymed;
  e->medium = *lpStgMedium;
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc) {
  STGMEDIUM m = {};
  m.tymed = TYMED_HGLOBAL;
  m.hGlobal = hGlobal;
  CacheData(cfFormat, &m, lpFormatEtc);
}

void COleDataSource::DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  NewEntry(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
}

void COleDataSource::DelayRenderFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  NewEntry(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM)->bFile = TRUE;
}

COleDataSource::Entry* COleDataSource::Lookup(LPFORMATETC lpFormatEtc) {
  for (INT_PTR i = 0; i < m_entries.GetSize(); i++) {
    Entry* e = (Entry*)m_entries[i];
    if (e->fe.cfFormat == lpFormatEtc->cfFormat && (e->fe.tymed & lpFormatEtc->tymed) != 0 &&
        e->fe.dwAspect == lpFormatEtc->dwAspect && (lpFormatEtc->lindex == -1 || e->fe.lindex == lpFormatEtc->lindex))
      return e;
  }
  return NULL;
}

void COleDataSource::SetClipboard() {
  if (FAILED(::OleSetClipboard(&m_xDataObject))) AfxThrowNotSupportedException();
  // The clipboard holds the reference now; the source goes when the clipboard lets go.
  s_pClipboardSource = this;
  InternalRelease();
}

void PASCAL COleDataSource::FlushClipboard() {
  if (GetClipboardOwner() != NULL) ::OleFlushClipboard();
}

COleDataSource* PASCAL COleDataSource::GetClipboardOwner() {
  if (s_pClipboardSource == NULL) return NULL;
  if (::OleIsCurrentClipboard(&s_pClipboardSource->m_xDataObject) != S_OK) return NULL;
  return s_pClipboardSource;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource) {
  COleDropSource local;
  if (pDropSource == NULL) pDropSource = &local;
  if (lpRectStartDrag != NULL)
    pDropSource->m_rectStartDrag = *lpRectStartDrag;
  else
    ::SetRectEmpty(&pDropSource->m_rectStartDrag);
  if (!pDropSource->OnBeginDrag(CWnd::FromHandle(::GetCapture())) ) return DROPEFFECT_NONE;
  DWORD dwEffect = DROPEFFECT_NONE;
  const HRESULT hr = ::DoDragDrop(&m_xDataObject, &pDropSource->m_xDropSource, dwEffects, &dwEffect);
  return hr == DRAGDROP_S_DROP ? dwEffect : DROPEFFECT_NONE;
}

BOOL COleDataSource::OnRenderGlobalData(LPFORMATETC, HGLOBAL*) { return FALSE; }
BOOL COleDataSource::OnRenderFileData(LPFORMATETC, CFile*) { return FALSE; }

BOOL COleDataSource::OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium) {
  Entry* e = Lookup(lpFormatEtc);
  HGLOBAL h = NULL;
  if (e != NULL && e->bFile) {
    CMemFile file;
    try {
      if (!OnRenderFileData(lpFormatEtc, &file)) return FALSE;
    } catch (CException* ex) {
      ex->Delete();
      return FALSE;
    }
    const DWORD n = file.GetLength();
    h = ::GlobalAlloc(GMEM_MOVEABLE, n ? n : 1);
    if (h == NULL) return FALSE;
    file.SeekToBegin();
    file.Read(::GlobalLock(h), n);
    ::GlobalUnlock(h);
  } else if (!(lpFormatEtc->tymed & TYMED_HGLOBAL) || !OnRenderGlobalData(lpFormatEtc, &h) || h == NULL) {
    return FALSE;
  }
  memset(lpStgMedium, 0, sizeof *lpStgMedium);
  if (lpFormatEtc->tymed & TYMED_HGLOBAL) {
    lpStgMedium->tymed = TYMED_HGLOBAL;
    lpStgMedium->hGlobal = h;
    return TRUE;
  }
  lpStgMedium->tymed = TYMED_ISTREAM;
  if (FAILED(::CreateStreamOnHGlobal(h, TRUE, &lpStgMedium->pstm))) {
    ::GlobalFree(h);
    return FALSE;
  }
  return TRUE;
}

// IDataObject

STDMETHODIMP COleDataSource::XDataObject::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == NULL) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDataObject) {
    *ppv = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = NULL;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COleDataSource::XDataObject::AddRef() { return m_pThis->ExternalAddRef(); }
STDMETHODIMP_(ULONG) COleDataSource::XDataObject::Release() { return m_pThis->ExternalRelease(); }

STDMETHODIMP COleDataSource::XDataObject::GetData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium) {
  if (lpFormatEtc == NULL || lpStgMedium == NULL) return E_INVALIDARG;
  Entry* e = m_pThis->Lookup(lpFormatEtc);
  if (e == NULL) return DV_E_FORMATETC;
  if (e->medium.tymed != TYMED_NULL) return CopyMedium(e->fe.cfFormat, e->medium, lpStgMedium);
  FORMATETC fe = *lpFormatEtc;
  fe.tymed &= e->fe.tymed;
  try {
    return m_pThis->OnRenderData(&fe, lpStgMedium) ? S_OK : DV_E_FORMATETC;
  } catch (CException* ex) {
    ex->Delete();
    return E_UNEXPECTED;
  }
}

STDMETHODIMP COleDataSource::XDataObject::GetDataHere(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium) {
  if (lpFormatEtc == NULL || lpStgMedium == NULL) return E_INVALIDARG;
  if (lpStgMedium->tymed != TYMED_HGLOBAL || lpStgMedium->hGlobal == NULL) return DV_E_TYMED;
  FORMATETC fe = *lpFormatEtc;
  fe.tymed = TYMED_HGLOBAL;
  STGMEDIUM m;
  HRESULT hr = GetData(&fe, &m);
  if (FAILED(hr)) return hr;
  const SIZE_T n = ::GlobalSize(m.hGlobal);
  if (::GlobalSize(lpStgMedium->hGlobal) < n) {
    ::ReleaseStgMedium(&m);
    return STG_E_MEDIUMFULL;
  }
  memcpy(::GlobalLock(lpStgMedium->hGlobal), ::GlobalLock(m.hGlobal), n);
  ::GlobalUnlock(m.hGlobal);
  ::GlobalUnlock(lpStgMedium->hGlobal);
  ::ReleaseStgMedium(&m);
  return S_OK;
}

STDMETHODIMP COleDataSource::XDataObject::QueryGetData(LPFORMATETC lpFormatEtc) {
  if (lpFormatEtc == NULL) return E_INVALIDARG;
  return m_pThis->Lookup(lpFormatEtc) ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::GetCanonicalFormatEtc(LPFORMATETC, LPFORMATETC lpOut) {
  if (lpOut) lpOut->ptd = NULL;
  return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::SetData(LPFORMATETC, LPSTGMEDIUM, BOOL) { return E_NOTIMPL; }

STDMETHODIMP COleDataSource::XDataObject::EnumFormatEtc(DWORD dwDirection, LPENUMFORMATETC* ppEnum) {
  if (ppEnum == NULL) return E_POINTER;
  *ppEnum = NULL;
  if (dwDirection != DATADIR_GET) return E_NOTIMPL;
  std::vector<FORMATETC> formats;
  for (INT_PTR i = 0; i < m_pThis->m_entries.GetSize(); i++) formats.push_back(((Entry*)m_pThis->m_entries[i])->fe);
  return ::SHCreateStdEnumFmtEtc((UINT)formats.size(), formats.empty() ? NULL : formats.data(), ppEnum);
}

STDMETHODIMP COleDataSource::XDataObject::DAdvise(LPFORMATETC, DWORD, LPADVISESINK, LPDWORD) {
  return OLE_E_ADVISENOTSUPPORTED;
}
STDMETHODIMP COleDataSource::XDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
STDMETHODIMP COleDataSource::XDataObject::EnumDAdvise(LPENUMSTATDATA*) { return OLE_E_ADVISENOTSUPPORTED; }
