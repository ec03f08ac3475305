#include "jvqCompoundFile.h"

#include <vector>

static const WCHAR kContents[] = L"Contents";

static std::vector<WCHAR> Wide(LPCTSTR lpsz) {
  int n = ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, NULL, 0);
  std::vector<WCHAR> w(n > 0 ? n : 1, 0);
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, w.data(), n);
  return w;
}

jvqStreamFile::jvqStreamFile(IStorage* pStorage, IStream* pStream) : m_pStorage(pStorage), m_pStream(pStream) {}

jvqStreamFile::~jvqStreamFile() { Abort(); }

DWORD jvqStreamFile::GetPosition() const {
  LARGE_INTEGER zero = {};
  ULARGE_INTEGER pos = {};
  if (m_pStream == NULL || FAILED(m_pStream->Seek(zero, STREAM_SEEK_CUR, &pos))) return 0;
  return (DWORD)pos.QuadPart;
}

LONG jvqStreamFile::Seek(LONG lOff, UINT nFrom) {
  if (m_pStream == NULL) AfxThrowFileException(CFileException::generic);
  LARGE_INTEGER off;
  off.QuadPart = lOff;
  ULARGE_INTEGER pos = {};
  DWORD origin = nFrom == CFile::begin ? STREAM_SEEK_SET : nFrom == CFile::current ? STREAM_SEEK_CUR : STREAM_SEEK_END;
  HRESULT hr = m_pStream->Seek(off, origin, &pos);
  if (FAILED(hr)) AfxThrowFileException(CFileException::badSeek, (LONG)hr);
  return (LONG)pos.QuadPart;
}

void jvqStreamFile::SetLength(DWORD dwNewLen) {
  ULARGE_INTEGER n;
  n.QuadPart = dwNewLen;
  if (m_pStream == NULL || FAILED(m_pStream->SetSize(n))) AfxThrowFileException(CFileException::diskFull);
}

DWORD jvqStreamFile::GetLength() const {
  STATSTG st = {};
  if (m_pStream == NULL || FAILED(m_pStream->Stat(&st, STATFLAG_NONAME))) return 0;
  return (DWORD)st.cbSize.QuadPart;
}

UINT jvqStreamFile::Read(void* lpBuf, UINT nCount) {
  if (m_pStream == NULL) AfxThrowFileException(CFileException::generic);
  ULONG nRead = 0;
  HRESULT hr = m_pStream->Read(lpBuf, nCount, &nRead);
  if (FAILED(hr)) AfxThrowFileException(CFileException::generic, (LONG)hr);
  return nRead;
}

void jvqStreamFile::Write(const void* lpBuf, UINT nCount) {
  if (m_pStream == NULL) AfxThrowFileException(CFileException::generic);
  ULONG nWritten = 0;
  HRESULT hr = m_pStream->Write(lpBuf, nCount, &nWritten);
  if (FAILED(hr) || nWritten != nCount) AfxThrowFileException(CFileException::diskFull, (LONG)hr);
}

void jvqStreamFile::Commit() {
  if (m_pStream) {
    HRESULT hr = m_pStream->Commit(STGC_DEFAULT);
    if (FAILED(hr)) AfxThrowOleException(hr);
  }
  if (m_pStorage) {
    HRESULT hr = m_pStorage->Commit(STGC_DEFAULT);
    if (FAILED(hr)) AfxThrowOleException(hr);
  }
}

void jvqStreamFile::Abort() {
  if (m_pStream) m_pStream->Release();
  if (m_pStorage) m_pStorage->Release();
  m_pStream = NULL;
  m_pStorage = NULL;
}

void jvqStreamFile::Close() { Abort(); }

BOOL jvqCompoundFile::IsCompoundFile(LPCTSTR lpszPath) {
  std::vector<WCHAR> w = Wide(lpszPath);
  return ::StgIsStorageFile(w.data()) == S_OK;
}

CFile* jvqCompoundFile::OpenContents(LPCTSTR lpszPath) {
  std::vector<WCHAR> w = Wide(lpszPath);
  HRESULT hr = ::StgIsStorageFile(w.data());
  if (hr == S_FALSE) {
    // A flat file of an older program: its bytes are the stream.
    CFileException* pe = new CFileException;
    CFile* pFile = new CFile;
    if (!pFile->Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite, pe)) {
      delete pFile;
      throw pe;
    }
    pe->Delete();
    return pFile;
  }
  IStorage* pStg = NULL;
  hr = ::StgOpenStorage(w.data(), NULL, STGM_READ | STGM_SHARE_DENY_WRITE | STGM_TRANSACTED, NULL, 0, &pStg);
  if (FAILED(hr) || pStg == NULL)
    hr = ::StgOpenStorage(w.data(), NULL, STGM_READ | STGM_SHARE_DENY_NONE | STGM_TRANSACTED, NULL, 0, &pStg);
  if (FAILED(hr) || pStg == NULL) AfxThrowOleException(FAILED(hr) ? hr : E_FAIL);
  IStream* pStm = NULL;
  hr = pStg->OpenStream(kContents, NULL, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &pStm);
  if (FAILED(hr) || pStm == NULL) {
    pStg->Release();
    AfxThrowOleException(FAILED(hr) ? hr : E_FAIL);
  }
  return new jvqStreamFile(pStg, pStm);
}

jvqStreamFile* jvqCompoundFile::CreateContents(LPCTSTR lpszPath) {
  std::vector<WCHAR> w = Wide(lpszPath);
  IStorage* pStg = NULL;
  HRESULT hr = ::StgCreateDocfile(w.data(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_TRANSACTED, 0, &pStg);
  if (FAILED(hr) || pStg == NULL) AfxThrowOleException(FAILED(hr) ? hr : E_FAIL);
  IStream* pStm = NULL;
  hr = pStg->CreateStream(kContents, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &pStm);
  if (FAILED(hr) || pStm == NULL) {
    pStg->Release();
    AfxThrowOleException(FAILED(hr) ? hr : E_FAIL);
  }
  return new jvqStreamFile(pStg, pStm);
}
