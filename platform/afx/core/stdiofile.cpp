// CStdioFile over the C library's FILE. Text mode is done here, not by the library, so that
// both builds read "\r\n" as "\n" and write "\n" as "\r\n".
#include <cerrno>
#include <cstring>

#include "afx.h"
#include "file_share.h"

#ifdef _WIN32
#include <io.h>
#endif

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile() : m_pStream(NULL) {}

CStdioFile::CStdioFile(FILE* pOpenStream) : CFile((int)hFileNull), m_pStream(pOpenStream) {
#ifdef _WIN32
  if (pOpenStream != NULL) m_hFile = (UINT)_get_osfhandle(_fileno(pOpenStream));
#else
  if (pOpenStream != NULL) m_hFile = (UINT)fileno(pOpenStream);
#endif
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_pStream(NULL) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile() {
  if (m_pStream != NULL && m_bCloseOnDelete) Abort();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException) {
  m_pStream = NULL;
  // The descriptor comes from CFile, so that errors carry the same causes.
  if (!CFile::Open(lpszFileName, nOpenFlags & ~(UINT)(typeText | typeBinary), pException)) return FALSE;
  m_nOpenFlags = nOpenFlags;
  // fdopen never truncates: CFile::Open did what modeCreate asks.
  const char* mode = (nOpenFlags & modeReadWrite) ? "r+b" : (nOpenFlags & modeWrite) ? "wb" : "rb";
  int fd;
#ifdef _WIN32
  fd = _open_osfhandle((intptr_t)m_hFile, 0);
#else
  fd = (int)m_hFile;
#endif
  m_pStream = fd >= 0 ? fdopen(fd, mode) : NULL;
  if (m_pStream == NULL) {
    int err = errno;
    CFile::Abort();
    if (pException != NULL) {
      pException->m_lOsError = (LONG)err;
      pException->m_cause = CFileException::ErrnoToException(err);
      pException->m_strFileName = lpszFileName;
    }
    return FALSE;
  }
  m_bCloseOnDelete = TRUE;
  return TRUE;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0) return 0;
  size_t nRead = std::fread(lpBuf, 1, nCount, m_pStream);
  if (nRead == 0 && !std::feof(m_pStream)) {
    std::clearerr(m_pStream);
    AfxThrowFileException(CFileException::generic, errno, m_strFileName);
  }
  if (std::ferror(m_pStream)) {
    std::clearerr(m_pStream);
    AfxThrowFileException(CFileException::generic, errno, m_strFileName);
  }
  return (UINT)nRead;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount) {
  if (std::fwrite(lpBuf, 1, nCount, m_pStream) != nCount) {
    int err = errno;
    std::clearerr(m_pStream);
    int cause = CFileException::ErrnoToException(err);
    AfxThrowFileException(cause == CFileException::none ? CFileException::generic : cause, err, m_strFileName);
  }
}

void CStdioFile::WriteString(LPCTSTR lpsz) {
  if (lpsz == NULL) AfxThrowFileException(CFileException::generic, -1, m_strFileName);
  if (m_nOpenFlags & typeBinary) {
    Write(lpsz, (UINT)std::strlen(lpsz));
    return;
  }
  for (const char* p = lpsz; *p;) {
    const char* nl = std::strchr(p, '\n');  // '\n' is never a trail byte
    size_t n = nl ? (size_t)(nl - p) : std::strlen(p);
    if (n) Write(p, (UINT)n);
    if (!nl) break;
    Write("\r\n", 2);
    p = nl + 1;
  }
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax) {
  if (lpsz == NULL || nMax == 0) return NULL;
  UINT n = 0;
  while (n + 1 < nMax) {
    int c = std::fgetc(m_pStream);
    if (c == EOF) break;
    if (c == '\r' && !(m_nOpenFlags & typeBinary)) {
      int c2 = std::fgetc(m_pStream);
      if (c2 == '\n') {
        c = '\n';
      } else if (c2 != EOF) {
        std::ungetc(c2, m_pStream);
      }
    }
    lpsz[n++] = (char)c;
    if (c == '\n') break;
  }
  if (std::ferror(m_pStream)) {
    std::clearerr(m_pStream);
    AfxThrowFileException(CFileException::generic, errno, m_strFileName);
  }
  lpsz[n] = 0;
  return n == 0 ? NULL : lpsz;
}

BOOL CStdioFile::ReadString(CString& rString) {
  rString.Empty();
  bool any = false;
  for (;;) {
    int c = std::fgetc(m_pStream);
    if (c == EOF) break;
    any = true;
    if (c == '\n') break;
    rString += (char)c;
  }
  if (std::ferror(m_pStream)) {
    std::clearerr(m_pStream);
    AfxThrowFileException(CFileException::generic, errno, m_strFileName);
  }
  // In text mode the line end is "\r\n" on disk.
  int n = rString.GetLength();
  if (!(m_nOpenFlags & typeBinary) && n > 0 && rString[n - 1] == '\r') rString = rString.Left(n - 1);
  return any;
}

LONG CStdioFile::Seek(LONG lOff, UINT nFrom) {
  int whence = nFrom == current ? SEEK_CUR : nFrom == end ? SEEK_END : SEEK_SET;
  if (std::fseek(m_pStream, lOff, whence) != 0) AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
  return (LONG)std::ftell(m_pStream);
}

DWORD CStdioFile::GetPosition() const {
  long pos = std::ftell(m_pStream);
  if (pos < 0) AfxThrowFileException(CFileException::invalidFile, errno, m_strFileName);
  return (DWORD)pos;
}

DWORD CStdioFile::GetLength() const {
  CStdioFile* self = const_cast<CStdioFile*>(this);
  long cur = std::ftell(m_pStream);
  std::fseek(m_pStream, 0, SEEK_END);
  long len = std::ftell(m_pStream);
  std::fseek(m_pStream, cur, SEEK_SET);
  (void)self;
  return len < 0 ? 0 : (DWORD)len;
}

void CStdioFile::Flush() {
  if (m_pStream != NULL && std::fflush(m_pStream) != 0)
    AfxThrowFileException(CFileException::diskFull, errno, m_strFileName);
}

void CStdioFile::Close() {
  int nErr = 0;
#ifndef _WIN32
  if (m_pStream != NULL) AfxShareUnregister(fileno(m_pStream));
#endif
  if (m_pStream != NULL) nErr = std::fclose(m_pStream);
  m_hFile = (UINT)hFileNull;
  m_bCloseOnDelete = FALSE;
  m_pStream = NULL;
  CString name = m_strFileName;
  m_strFileName.Empty();
  if (nErr != 0) AfxThrowFileException(CFileException::diskFull, errno, name);
}

void CStdioFile::Abort() {
#ifndef _WIN32
  if (m_pStream != NULL && m_bCloseOnDelete) AfxShareUnregister(fileno(m_pStream));
#endif
  if (m_pStream != NULL && m_bCloseOnDelete) std::fclose(m_pStream);
  m_hFile = (UINT)hFileNull;
  m_pStream = NULL;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
}

CFile* CStdioFile::Duplicate() const { AfxThrowNotSupportedException(); }
void CStdioFile::LockRange(DWORD, DWORD) { AfxThrowNotSupportedException(); }
void CStdioFile::UnlockRange(DWORD, DWORD) { AfxThrowNotSupportedException(); }
