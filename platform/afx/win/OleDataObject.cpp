// Reading data another program (or this one) offers through an IDataObject.
#include "afxole.h"

namespace {

FORMATETC MakeFormatEtc(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  if (lpFormatEtc != NULL) {
    FORMATETC fe = *lpFormatEtc;
    fe.cfFormat = cfFormat;
    return fe;
  }
  FORMATETC fe = {cfFormat, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  return fe;
}

}  // namespace

COleDataObject::COleDataObject() : m_lpDataObject(NULL), m_lpEnumerator(NULL), m_bAutoRelease(TRUE) {}

COleDataObject::~COleDataObject() { Release(); }

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease) {
  Release();
  m_lpDataObject = lpDataObject;
  m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach() {
  if (m_lpEnumerator) {
    m_lpEnumerator->Release();
    m_lpEnumerator = NULL;
  }
  LPDATAOBJECT p = m_lpDataObject;
  m_lpDataObject = NULL;
  return p;
}

void COleDataObject::Release() {
  LPDATAOBJECT p = Detach();
  if (p != NULL && m_bAutoRelease) p->Release();
}

BOOL COleDataObject::AttachClipboard() {
  LPDATAOBJECT p = NULL;
  if (FAILED(::OleGetClipboard(&p)) || p == NULL) return FALSE;
  Attach(p, TRUE);
  return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  if (m_lpDataObject == NULL) return FALSE;
  FORMATETC fe = MakeFormatEtc(cfFormat, lpFormatEtc);
  return m_lpDataObject->QueryGetData(&fe) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc) {
  if (m_lpDataObject == NULL || lpStgMedium == NULL) return FALSE;
  FORMATETC fe = MakeFormatEtc(cfFormat, lpFormatEtc);
  memset(lpStgMedium, 0, sizeof *lpStgMedium);
  return m_lpDataObject->GetData(&fe, lpStgMedium) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  FORMATETC fe = MakeFormatEtc(cfFormat, lpFormatEtc);
  fe.tymed = TYMED_HGLOBAL;
  STGMEDIUM medium;
  if (!GetData(cfFormat, &medium, &fe)) return NULL;
  if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == NULL) {
    ::ReleaseStgMedium(&medium);
    return NULL;
  }
  // A medium the source still owns is copied, so the caller always frees what it gets.
  HGLOBAL h = medium.hGlobal;
  if (medium.pUnkForRelease != NULL) {
    h = (HGLOBAL)::OleDuplicateData(medium.hGlobal, cfFormat, GMEM_MOVEABLE);
    ::ReleaseStgMedium(&medium);
  }
  return h;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  FORMATETC fe = MakeFormatEtc(cfFormat, lpFormatEtc);
  if (lpFormatEtc == NULL) fe.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;
  STGMEDIUM medium;
  if (!GetData(cfFormat, &medium, &fe)) return NULL;
  CMemFile* pFile = new CMemFile;
  BOOL bOk = FALSE;
  try {
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != NULL) {
      const SIZE_T n = ::GlobalSize(medium.hGlobal);
      if (const void* p = ::GlobalLock(medium.hGlobal)) {
        pFile->Write(p, (UINT)n);
        ::GlobalUnlock(medium.hGlobal);
        bOk = TRUE;
      }
    } else if (medium.tymed == TYMED_ISTREAM && medium.pstm != NULL) {
      LARGE_INTEGER zero = {};
      medium.pstm->Seek(zero, STREAM_SEEK_SET, NULL);
      BYTE buf[4096];
      ULONG got = 0;
      bOk = TRUE;
      while (SUCCEEDED(medium.pstm->Read(buf, sizeof buf, &got)) && got > 0) pFile->Write(buf, got);
    }
  } catch (CException* e) {
    e->Delete();
    bOk = FALSE;
  }
  ::ReleaseStgMedium(&medium);
  if (!bOk) {
    delete pFile;
    return NULL;
  }
  pFile->SeekToBegin();
  return pFile;
}

void COleDataObject::BeginEnumFormats() {
  if (m_lpEnumerator) {
    m_lpEnumerator->Release();
    m_lpEnumerator = NULL;
  }
  if (m_lpDataObject) m_lpDataObject->EnumFormatEtc(DATADIR_GET, &m_lpEnumerator);
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc) {
  if (m_lpEnumerator == NULL) return FALSE;
  ULONG got = 0;
  if (m_lpEnumerator->Next(1, lpFormatEtc, &got) != S_OK || got != 1) return FALSE;
  // The enumerator's device description is the caller's to free; nobody here wants it.
  if (lpFormatEtc->ptd != NULL) {
    ::CoTaskMemFree(lpFormatEtc->ptd);
    lpFormatEtc->ptd = NULL;
  }
  return TRUE;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef) {
  if (bAddRef && m_lpDataObject) m_lpDataObject->AddRef();
  return m_lpDataObject;
}
