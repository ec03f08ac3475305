// CArchive: buffering, scalars and strings.
#include <cstdlib>
#include <cstring>

#include "afx.h"
#include "archive_internal.h"

IMPLEMENT_DYNAMIC(CArchiveException, CException)

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName) : m_cause(cause), m_strFileName(lpszArchiveName) {}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  static const char* const kMessages[] = {
      "%1 へのアクセス中にエラーはありませんでした。",
      "%1 の読み込みまたは書き込み中に予期しないエラーが発生しました。",
      "読み込み用に開いたアーカイブ %1 に書き込もうとしました。",
      "%1 の読み込み中にファイルの終わりに達しました。",
      "書き込み用に開いたアーカイブ %1 から読み込もうとしました。",
      "%1 のフォーマットが正しくありません。",
      "%1 に予期しないオブジェクトが含まれています。",
      "%1 には正しくないスキーマが含まれています。",
  };
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  if (lpszError == NULL || nMaxError == 0) return FALSE;
  int cause = (m_cause >= 0 && m_cause <= badSchema) ? m_cause : generic;
  LPCTSTR name = m_strFileName.IsEmpty() ? "名前のないファイル" : (LPCTSTR)m_strFileName;
  CString message;
  AfxFormatStrings(message, kMessages[cause], &name, 1);
  AfxStrCopyN(lpszError, message, nMaxError);
  return TRUE;
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName) {
  throw new CArchiveException(cause, lpszArchiveName);
}

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_nMode((BOOL)nMode), m_bUserBuf(FALSE), m_nBufSize(nBufSize), m_pFile(pFile),
      m_lpBufCur(NULL), m_lpBufMax(NULL), m_lpBufStart(NULL), m_bDirectBuffer(FALSE), m_nObjectSchema((UINT)-1),
      m_pLoadArray(NULL), m_pStoreMap(NULL), m_nMapCount(0), m_nGrowSize(1024), m_nHashSize(2053) {
  if (pFile == NULL) AfxThrowArchiveException(CArchiveException::generic);
  if (m_nBufSize < 128) m_nBufSize = 128;
  m_strFileName = pFile->GetFilePath();
  if (lpBuf == NULL) {
    m_lpBufStart = (BYTE*)std::malloc((size_t)m_nBufSize);
    if (m_lpBufStart == NULL) AfxThrowMemoryException();
  } else {
    m_lpBufStart = (BYTE*)lpBuf;
    m_bUserBuf = TRUE;
  }
  if (IsLoading()) {
    m_lpBufCur = m_lpBufMax = m_lpBufStart;  // empty until the first read
  } else {
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + m_nBufSize;
  }
}

CArchive::~CArchive() {
  // A destructor must not throw: an archive that could not be written is the caller's to
  // Close and check; here the error is dropped.
  if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete)) {
    try {
      Close();
    } catch (CException* e) {
      e->Delete();
    }
  }
  Abort();
}

void CArchive::Abort() {
  delete (AfxArchiveLoadArray*)m_pLoadArray;
  m_pLoadArray = NULL;
  delete (AfxArchiveStoreMap*)m_pStoreMap;
  m_pStoreMap = NULL;
  if (!m_bUserBuf) std::free(m_lpBufStart);
  m_lpBufStart = m_lpBufCur = m_lpBufMax = NULL;
  m_bUserBuf = TRUE;  // nothing left to free
  m_pFile = NULL;
}

void CArchive::Close() {
  if (m_pFile == NULL) return;
  Flush();
  m_pFile = NULL;
}

void CArchive::Flush() {
  if (m_pFile == NULL) return;
  if (IsLoading()) {
    // Give the unread bytes back to the file.
    if (m_lpBufMax != m_lpBufCur) m_pFile->Seek(-(LONG)(m_lpBufMax - m_lpBufCur), CFile::current);
    m_lpBufCur = m_lpBufMax = m_lpBufStart;
  } else {
    if (m_lpBufCur != m_lpBufStart) {
      UINT n = (UINT)(m_lpBufCur - m_lpBufStart);
      m_lpBufCur = m_lpBufStart;  // a failed write is not retried by the next flush
      m_pFile->Write(m_lpBufStart, n);
    }
  }
}

void CArchive::CheckLoading() const {
  if (!IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
}

void CArchive::CheckStoring() const {
  if (IsLoading()) AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

void CArchive::ThrowEndOfFile() const { AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName); }

void CArchive::FillBuffer(UINT nBytesNeeded) {
  CheckLoading();
  if (m_pFile == NULL) ThrowEndOfFile();
  UINT nUnused = (UINT)(m_lpBufMax - m_lpBufCur);
  if (nUnused > 0) std::memmove(m_lpBufStart, m_lpBufCur, nUnused);
  m_lpBufCur = m_lpBufStart;
  m_lpBufMax = m_lpBufStart + nUnused;
  UINT nTotalNeeded = nUnused + nBytesNeeded;
  if (nTotalNeeded > (UINT)m_nBufSize) AfxThrowArchiveException(CArchiveException::generic, m_strFileName);
  // Read as much as fits, stopping once enough is there and the file has no more.
  while ((UINT)(m_lpBufMax - m_lpBufStart) < (UINT)m_nBufSize) {
    UINT nRead = m_pFile->Read(m_lpBufMax, (UINT)m_nBufSize - (UINT)(m_lpBufMax - m_lpBufStart));
    if (nRead == 0) break;
    m_lpBufMax += nRead;
  }
  if ((UINT)(m_lpBufMax - m_lpBufCur) < nTotalNeeded) ThrowEndOfFile();
}

DWORD CArchive::BytesLeft() const {
  DWORD nBuffered = (DWORD)(m_lpBufMax - m_lpBufCur);
  if (m_pFile == NULL) return nBuffered;
  try {
    DWORD nLen = m_pFile->GetLength();
    DWORD nPos = m_pFile->GetPosition();
    return nBuffered + (nLen > nPos ? nLen - nPos : 0);
  } catch (CException* e) {
    e->Delete();
    return 0xFFFFFFFF;  // a file that cannot say how long it is
  }
}

void CArchive::EnsureAvailable(DWORD nBytes) {
  if ((DWORD)(m_lpBufMax - m_lpBufCur) >= nBytes) return;
  if (BytesLeft() < nBytes) ThrowEndOfFile();
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  if (nMax == 0) return 0;
  CheckLoading();
  BYTE* pDest = (BYTE*)lpBuf;
  UINT nLeft = nMax;
  while (nLeft > 0) {
    UINT nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nAvail > 0) {
      UINT n = nAvail < nLeft ? nAvail : nLeft;
      std::memcpy(pDest, m_lpBufCur, n);
      m_lpBufCur += n;
      pDest += n;
      nLeft -= n;
      continue;
    }
    if (m_pFile == NULL) break;
    if (nLeft >= (UINT)m_nBufSize) {
      // Large reads go straight to the caller's memory.
      UINT n = m_pFile->Read(pDest, nLeft);
      if (n == 0) break;
      pDest += n;
      nLeft -= n;
    } else {
      m_lpBufCur = m_lpBufMax = m_lpBufStart;
      UINT n = m_pFile->Read(m_lpBufStart, (UINT)m_nBufSize);
      if (n == 0) break;
      m_lpBufMax = m_lpBufStart + n;
    }
  }
  return nMax - nLeft;
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  if (nMax == 0) return;
  CheckStoring();
  if (m_pFile == NULL) AfxThrowArchiveException(CArchiveException::generic, m_strFileName);
  const BYTE* pSrc = (const BYTE*)lpBuf;
  UINT nRoom = (UINT)(m_lpBufMax - m_lpBufCur);
  if (nMax <= nRoom) {
    std::memcpy(m_lpBufCur, pSrc, nMax);
    m_lpBufCur += nMax;
    return;
  }
  Flush();
  if (nMax >= (UINT)m_nBufSize) {
    m_pFile->Write(pSrc, nMax);
  } else {
    std::memcpy(m_lpBufCur, pSrc, nMax);
    m_lpBufCur += nMax;
  }
}

namespace {
template <int N>
inline void PutLE(BYTE* p, unsigned long long v) {
  for (int i = 0; i < N; ++i) p[i] = (BYTE)(v >> (8 * i));
}
template <int N>
inline unsigned long long GetLE(const BYTE* p) {
  unsigned long long v = 0;
  for (int i = 0; i < N; ++i) v |= (unsigned long long)p[i] << (8 * i);
  return v;
}
}  // namespace

#define AFX_ARCHIVE_PUT(N, value)                                                      \
  do {                                                                                 \
    CheckStoring();                                                                    \
    if ((UINT)(m_lpBufMax - m_lpBufCur) < (N)) Flush();                                \
    PutLE<N>(m_lpBufCur, (unsigned long long)(value));                                 \
    m_lpBufCur += (N);                                                                 \
  } while (0)

#define AFX_ARCHIVE_GET(N, var)                                                        \
  do {                                                                                 \
    if ((UINT)(m_lpBufMax - m_lpBufCur) < (N)) FillBuffer((N) - (UINT)(m_lpBufMax - m_lpBufCur)); \
    CheckLoading();                                                                    \
    var = GetLE<N>(m_lpBufCur);                                                        \
    m_lpBufCur += (N);                                                                 \
  } while (0)

CArchive& CArchive::operator<<(BYTE by) {
  AFX_ARCHIVE_PUT(1, by);
  return *this;
}
CArchive& CArchive::operator<<(WORD w) {
  AFX_ARCHIVE_PUT(2, w);
  return *this;
}
CArchive& CArchive::operator<<(LONG l) {
  AFX_ARCHIVE_PUT(4, (DWORD)l);
  return *this;
}
CArchive& CArchive::operator<<(DWORD dw) {
  AFX_ARCHIVE_PUT(4, dw);
  return *this;
}
CArchive& CArchive::operator<<(float f) {
  DWORD bits;
  std::memcpy(&bits, &f, 4);
  AFX_ARCHIVE_PUT(4, bits);
  return *this;
}
CArchive& CArchive::operator<<(double d) {
  unsigned long long bits;
  std::memcpy(&bits, &d, 8);
  AFX_ARCHIVE_PUT(8, bits);
  return *this;
}

CArchive& CArchive::operator>>(BYTE& by) {
  unsigned long long v;
  AFX_ARCHIVE_GET(1, v);
  by = (BYTE)v;
  return *this;
}
CArchive& CArchive::operator>>(WORD& w) {
  unsigned long long v;
  AFX_ARCHIVE_GET(2, v);
  w = (WORD)v;
  return *this;
}
CArchive& CArchive::operator>>(DWORD& dw) {
  unsigned long long v;
  AFX_ARCHIVE_GET(4, v);
  dw = (DWORD)v;
  return *this;
}
CArchive& CArchive::operator>>(LONG& l) {
  unsigned long long v;
  AFX_ARCHIVE_GET(4, v);
  l = (LONG)(DWORD)v;
  return *this;
}
CArchive& CArchive::operator>>(float& f) {
  unsigned long long v;
  AFX_ARCHIVE_GET(4, v);
  DWORD bits = (DWORD)v;
  std::memcpy(&f, &bits, 4);
  return *this;
}
CArchive& CArchive::operator>>(double& d) {
  unsigned long long v;
  AFX_ARCHIVE_GET(8, v);
  std::memcpy(&d, &v, 8);
  return *this;
}

void CArchive::WriteCount(DWORD dwCount) {
  if (dwCount < 0xFFFF) {
    *this << (WORD)dwCount;
  } else {
    *this << (WORD)0xFFFF;
    *this << dwCount;
  }
}

DWORD CArchive::ReadCount() {
  WORD wCount;
  *this >> wCount;
  if (wCount != 0xFFFF) return wCount;
  DWORD dwCount;
  *this >> dwCount;
  return dwCount;
}

void CArchive::WriteString(LPCTSTR lpsz) {
  if (lpsz != NULL) Write(lpsz, (UINT)std::strlen(lpsz));
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax) {
  // As the platform: a negative nMax keeps the line end; up to |nMax| bytes plus a terminator.
  int nStop = (int)nMax < 0 ? -(int)nMax : (int)nMax;
  bool bKeepNewline = (int)nMax < 0;
  int nRead = 0;
  while (nRead < nStop) {
    BYTE ch;
    if (Read(&ch, 1) != 1) {
      if (nRead == 0) return NULL;
      break;
    }
    if (ch == '\n' || ch == '\r') {
      if (ch == '\r') {
        BYTE next;
        if (Read(&next, 1) == 1) {
          if (next == '\n')
            ch = '\n';
          else
            --m_lpBufCur;  // not part of the line end: give it back
        }
      }
      if (bKeepNewline) lpsz[nRead++] = (char)ch;
      break;
    }
    lpsz[nRead++] = (char)ch;
  }
  lpsz[nRead] = 0;
  return lpsz;
}

BOOL CArchive::ReadString(CString& rString) {
  rString.Empty();
  CString line;
  BYTE ch;
  bool any = false;
  while (Read(&ch, 1) == 1) {
    any = true;
    if (ch == '\n') break;
    if (ch == '\r') {
      BYTE next;
      if (Read(&next, 1) == 1 && next != '\n') --m_lpBufCur;
      break;
    }
    line += (char)ch;
  }
  rString = line;
  return any;
}

// Strings: length prefix, then the bytes.
CArchive& AFXAPI operator<<(CArchive& ar, const CString& string) {
  DWORD nLength = (DWORD)string.GetLength();
  if (nLength < 255) {
    ar << (BYTE)nLength;
  } else if (nLength < 0xFFFE) {
    ar << (BYTE)0xFF;
    ar << (WORD)nLength;
  } else {
    ar << (BYTE)0xFF;
    ar << (WORD)0xFFFF;
    ar << nLength;
  }
  ar.Write((LPCTSTR)string, (UINT)nLength);
  return ar;
}

namespace {
// Length of the next string; (DWORD)-1 marks a UTF-16 string (written by a Unicode program).
DWORD ReadStringLength(CArchive& ar) {
  BYTE bLen;
  ar >> bLen;
  if (bLen < 0xFF) return bLen;
  WORD wLen;
  ar >> wLen;
  if (wLen == 0xFFFE) return (DWORD)-1;
  if (wLen < 0xFFFF) return wLen;
  DWORD dwLen;
  ar >> dwLen;
  return dwLen;
}
}  // namespace

CArchive& AFXAPI operator>>(CArchive& ar, CString& string) {
  DWORD nNewLen = ReadStringLength(ar);
  bool bUnicode = false;
  if (nNewLen == (DWORD)-1) {
    bUnicode = true;
    nNewLen = ReadStringLength(ar);
    if (nNewLen == (DWORD)-1 || nNewLen > 0x3FFFFFFF) AfxThrowArchiveException(CArchiveException::badIndex);
  }
  DWORD nBytes = bUnicode ? nNewLen * 2 : nNewLen;
  if (nBytes > 0x7FFFFFF0) AfxThrowArchiveException(CArchiveException::endOfFile);
  // Never allocate for more bytes than the file still holds.
  ar.EnsureAvailable(nBytes);
  if (!bUnicode) {
    CString s;
    LPTSTR p = s.GetBufferSetLength((int)nNewLen);
    if (nNewLen != 0 && ar.Read(p, nNewLen) != nNewLen) AfxThrowArchiveException(CArchiveException::endOfFile);
    s.ReleaseBuffer((int)nNewLen);
    string = s;
    return ar;
  }
  std::vector<BYTE> wide(nBytes);
  if (nBytes != 0 && ar.Read(wide.data(), nBytes) != nBytes) AfxThrowArchiveException(CArchiveException::endOfFile);
  CString s;
#ifdef _WIN32
  std::vector<WCHAR> w(nNewLen + 1);
  for (DWORD i = 0; i < nNewLen; ++i) w[i] = (WCHAR)(wide[2 * i] | (wide[2 * i + 1] << 8));
  int n = nNewLen ? ::WideCharToMultiByte(932, 0, w.data(), (int)nNewLen, NULL, 0, NULL, NULL) : 0;
  if (n > 0) {
    ::WideCharToMultiByte(932, 0, w.data(), (int)nNewLen, s.GetBuffer(n), n, NULL, NULL);
    s.ReleaseBuffer(n);
  }
#else
  // Natively only ASCII is converted; other characters become '?'.
  for (DWORD i = 0; i < nNewLen; ++i) {
    unsigned c = wide[2 * i] | (wide[2 * i + 1] << 8);
    s += (char)(c < 0x80 ? c : '?');
  }
#endif
  string = s;
  return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, CTime time) { return ar << (DWORD)time.GetTime(); }
CArchive& AFXAPI operator>>(CArchive& ar, CTime& rtime) {
  DWORD dw;
  ar >> dw;
  rtime = CTime((time_t)dw);
  return ar;
}
CArchive& AFXAPI operator<<(CArchive& ar, CTimeSpan timeSpan) { return ar << (DWORD)timeSpan.GetTotalSeconds(); }
CArchive& AFXAPI operator>>(CArchive& ar, CTimeSpan& rtimeSpan) {
  DWORD dw;
  ar >> dw;
  rtimeSpan = CTimeSpan((time_t)(LONG)dw);
  return ar;
}

void CArchive::SetStoreParams(UINT nHashSize, UINT) { m_nHashSize = nHashSize; }
void CArchive::SetLoadParams(UINT nGrowBy) { m_nGrowSize = nGrowBy; }

UINT CArchive::GetObjectSchema() {
  UINT nResult = m_nObjectSchema;
  m_nObjectSchema = (UINT)-1;  // can only be called once per Serialize
  return nResult;
}
