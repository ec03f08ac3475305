// CFile: Win32 handles on Windows, POSIX descriptors natively, with the same causes.
#include <cerrno>
#include <cstring>

#include "afx.h"
#include "file_share.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>
#include <climits>
#include <cstdlib>
#include <utime.h>
#endif

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

// Start of the last component of a path ('\\' may be a trail byte, so scan by characters).
LPCTSTR FileNamePart(LPCTSTR lpszPath) {
  LPCTSTR name = lpszPath;
  for (LPCTSTR p = lpszPath; *p; p = AfxCharNext(p))
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  return name;
}

#ifndef _WIN32
// Windows reports a missing folder as a bad path and a missing file as not found.
int OpenErrno(LPCTSTR lpszFileName) {
  int err = errno;
  if (err == ENOENT) {
    CString folder(lpszFileName, (int)(FileNamePart(lpszFileName) - lpszFileName));
    if (!folder.IsEmpty()) {
      struct stat st;
      if (::stat(folder, &st) != 0 || !S_ISDIR(st.st_mode)) return ENOTDIR;
    }
  }
  return err;
}

CString FullPath(LPCTSTR lpszFileName) {
  if (lpszFileName[0] == '/') return lpszFileName;
  char cwd[PATH_MAX];
  if (::getcwd(cwd, sizeof(cwd)) == NULL) return lpszFileName;
  CString s(cwd);
  if (s.Right(1) != "/") s += '/';
  return s + lpszFileName;
}
#endif

}  // namespace

CString AFXAPI AfxFileTitleOf(LPCTSTR lpszPath);

CFile::CFile() : m_hFile((UINT)hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(int hFile) : m_hFile((UINT)hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile((UINT)hFileNull), m_bCloseOnDelete(FALSE) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
  if (m_hFile != (UINT)hFileNull && m_bCloseOnDelete) Abort();
}

CFile* CFile::Duplicate() const {
  CFile* pFile = new CFile((int)hFileNull);
#ifdef _WIN32
  HANDLE hFile;
  if (!::DuplicateHandle(::GetCurrentProcess(), (HANDLE)(UINT_PTR)m_hFile, ::GetCurrentProcess(), &hFile, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
    delete pFile;
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
  }
  pFile->m_hFile = (UINT)(UINT_PTR)hFile;
#else
  int fd = ::dup((int)m_hFile);
  if (fd < 0) {
    int err = errno;
    delete pFile;
    CFileException::ThrowErrno(err, m_strFileName);
  }
  pFile->m_hFile = (UINT)fd;
#endif
  pFile->m_bCloseOnDelete = m_bCloseOnDelete;
  pFile->m_strFileName = m_strFileName;
  return pFile;
}

CString CFile::GetFileName() const { return FileNamePart(m_strFileName); }
CString CFile::GetFileTitle() const { return AfxFileTitleOf(m_strFileName); }
CString CFile::GetFilePath() const { return m_strFileName; }
void CFile::SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }

DWORD CFile::SeekToEnd() { return (DWORD)Seek(0, CFile::end); }
void CFile::SeekToBegin() { Seek(0, CFile::begin); }
DWORD CFile::ReadHuge(void* lpBuffer, DWORD dwCount) { return Read(lpBuffer, (UINT)dwCount); }
void CFile::WriteHuge(const void* lpBuffer, DWORD dwCount) { Write(lpBuffer, (UINT)dwCount); }

UINT CFile::GetBufferPtr(UINT, UINT, void** ppBufStart, void** ppBufMax) {
  if (ppBufStart) *ppBufStart = NULL;
  if (ppBufMax) *ppBufMax = NULL;
  return 0;
}

DWORD CFile::GetLength() const {
  CFile* self = const_cast<CFile*>(this);
  LONG dwCur = self->Seek(0, CFile::current);
  LONG dwLen = self->Seek(0, CFile::end);
  self->Seek(dwCur, CFile::begin);
  return (DWORD)dwLen;
}

#ifdef _WIN32

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException) {
  m_bCloseOnDelete = FALSE;
  m_hFile = (UINT)hFileNull;
  m_strFileName.Empty();
  nOpenFlags &= ~(UINT)typeBinary;

  TCHAR szPath[_MAX_PATH];
  LPTSTR lpszFilePart;
  if (::GetFullPathNameA(lpszFileName, _MAX_PATH, szPath, &lpszFilePart) == 0 || szPath[0] == 0)
    lstrcpyn(szPath, lpszFileName, _MAX_PATH);
  m_strFileName = szPath;

  DWORD dwAccess = 0;
  switch (nOpenFlags & 3) {
    case modeRead: dwAccess = GENERIC_READ; break;
    case modeWrite: dwAccess = GENERIC_WRITE; break;
    case modeReadWrite: dwAccess = GENERIC_READ | GENERIC_WRITE; break;
    default: dwAccess = GENERIC_READ; break;
  }
  DWORD dwShareMode = 0;
  switch (nOpenFlags & 0x70) {
    default:
    case shareCompat:
    case shareExclusive: dwShareMode = 0; break;
    case shareDenyWrite: dwShareMode = FILE_SHARE_READ; break;
    case shareDenyRead: dwShareMode = FILE_SHARE_WRITE; break;
    case shareDenyNone: dwShareMode = FILE_SHARE_WRITE | FILE_SHARE_READ; break;
  }
  SECURITY_ATTRIBUTES sa;
  sa.nLength = sizeof(sa);
  sa.lpSecurityDescriptor = NULL;
  sa.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;

  DWORD dwCreateFlag;
  if (nOpenFlags & modeCreate)
    dwCreateFlag = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  else
    dwCreateFlag = OPEN_EXISTING;

  HANDLE hFile = ::CreateFileA(lpszFileName, dwAccess, dwShareMode, &sa, dwCreateFlag, FILE_ATTRIBUTE_NORMAL, NULL);
  if (hFile == INVALID_HANDLE_VALUE) {
    if (pException != NULL) {
      pException->m_lOsError = (LONG)::GetLastError();
      pException->m_cause = CFileException::OsErrorToException(pException->m_lOsError);
      pException->m_strFileName = lpszFileName;
    }
    m_strFileName.Empty();
    return FALSE;
  }
  m_hFile = (UINT)(UINT_PTR)hFile;
  m_bCloseOnDelete = TRUE;
  m_nOpenFlags = nOpenFlags;
  return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0) return 0;
  DWORD dwRead;
  if (!::ReadFile((HANDLE)(UINT_PTR)m_hFile, lpBuf, nCount, &dwRead, NULL))
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
  return (UINT)dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  DWORD nWritten;
  if (!::WriteFile((HANDLE)(UINT_PTR)m_hFile, lpBuf, nCount, &nWritten, NULL))
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
  if (nWritten != nCount) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

LONG CFile::Seek(LONG lOff, UINT nFrom) {
  DWORD dwNew = ::SetFilePointer((HANDLE)(UINT_PTR)m_hFile, lOff, NULL, (DWORD)nFrom);
  if (dwNew == (DWORD)-1) CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
  return (LONG)dwNew;
}

DWORD CFile::GetPosition() const {
  DWORD dwPos = ::SetFilePointer((HANDLE)(UINT_PTR)m_hFile, 0, NULL, FILE_CURRENT);
  if (dwPos == (DWORD)-1) CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
  return dwPos;
}

void CFile::LockRange(DWORD dwPos, DWORD dwCount) {
  if (!::LockFile((HANDLE)(UINT_PTR)m_hFile, dwPos, 0, dwCount, 0))
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::UnlockRange(DWORD dwPos, DWORD dwCount) {
  if (!::UnlockFile((HANDLE)(UINT_PTR)m_hFile, dwPos, 0, dwCount, 0))
    CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::SetLength(DWORD dwNewLen) {
  Seek((LONG)dwNewLen, CFile::begin);
  if (!::SetEndOfFile((HANDLE)(UINT_PTR)m_hFile)) CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::Flush() {
  if (m_hFile == (UINT)hFileNull) return;
  if (!::FlushFileBuffers((HANDLE)(UINT_PTR)m_hFile)) CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
}

void CFile::Close() {
  BOOL bError = FALSE;
  DWORD dwError = 0;
  if (m_hFile != (UINT)hFileNull) {
    bError = !::CloseHandle((HANDLE)(UINT_PTR)m_hFile);
    if (bError) dwError = ::GetLastError();
  }
  m_hFile = (UINT)hFileNull;
  m_bCloseOnDelete = FALSE;
  CString name = m_strFileName;
  m_strFileName.Empty();
  if (bError) CFileException::ThrowOsError((LONG)dwError, name);
}

void CFile::Abort() {
  if (m_hFile != (UINT)hFileNull) ::CloseHandle((HANDLE)(UINT_PTR)m_hFile);
  m_hFile = (UINT)hFileNull;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
  if (!::MoveFileA(lpszOldName, lpszNewName)) CFileException::ThrowOsError((LONG)::GetLastError(), lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName) {
  if (!::DeleteFileA(lpszFileName)) CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const {
  rStatus = CFileStatus();
  lstrcpyn(rStatus.m_szFullName, m_strFileName, _MAX_PATH);
  if (m_hFile == (UINT)hFileNull) return TRUE;
  FILETIME ftCreate, ftAccess, ftModify;
  if (!::GetFileTime((HANDLE)(UINT_PTR)m_hFile, &ftCreate, &ftAccess, &ftModify)) return FALSE;
  if ((rStatus.m_size = (LONG)::GetFileSize((HANDLE)(UINT_PTR)m_hFile, NULL)) == -1L) return FALSE;
  if (m_strFileName.IsEmpty()) {
    rStatus.m_attribute = 0;
  } else {
    DWORD dwAttribute = ::GetFileAttributesA(m_strFileName);
    rStatus.m_attribute = dwAttribute == 0xFFFFFFFF ? 0 : (BYTE)dwAttribute;
  }
  rStatus.m_ctime = CTime(ftCreate);
  rStatus.m_atime = CTime(ftAccess);
  rStatus.m_mtime = CTime(ftModify);
  if (rStatus.m_ctime.GetTime() == 0) rStatus.m_ctime = rStatus.m_mtime;
  if (rStatus.m_atime.GetTime() == 0) rStatus.m_atime = rStatus.m_mtime;
  return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus) {
  rStatus = CFileStatus();
  LPTSTR lpszFilePart;
  if (::GetFullPathNameA(lpszFileName, _MAX_PATH, rStatus.m_szFullName, &lpszFilePart) == 0) {
    rStatus.m_szFullName[0] = 0;
    return FALSE;
  }
  WIN32_FIND_DATAA findFileData;
  HANDLE hFind = ::FindFirstFileA(lpszFileName, &findFileData);
  if (hFind == INVALID_HANDLE_VALUE) return FALSE;
  ::FindClose(hFind);
  rStatus.m_attribute = (BYTE)(findFileData.dwFileAttributes & ~FILE_ATTRIBUTE_NORMAL);
  rStatus.m_size = (LONG)findFileData.nFileSizeLow;
  rStatus.m_ctime = CTime(findFileData.ftCreationTime);
  rStatus.m_atime = CTime(findFileData.ftLastAccessTime);
  rStatus.m_mtime = CTime(findFileData.ftLastWriteTime);
  if (rStatus.m_ctime.GetTime() == 0) rStatus.m_ctime = rStatus.m_mtime;
  if (rStatus.m_atime.GetTime() == 0) rStatus.m_atime = rStatus.m_mtime;
  return TRUE;
}

void PASCAL CFile::SetStatus(LPCTSTR lpszFileName, const CFileStatus& status) {
  DWORD wAttr = ::GetFileAttributesA(lpszFileName);
  if (wAttr == 0xFFFFFFFF) CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
  // A read-only file cannot take new times: clear the flag first.
  if ((wAttr & readOnly) && (DWORD)status.m_attribute != wAttr) {
    if (!::SetFileAttributesA(lpszFileName, wAttr & ~(DWORD)readOnly))
      CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
  }
  if (status.m_mtime.GetTime() != 0) {
    HANDLE hFile = ::CreateFileA(lpszFileName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
    ULONGLONG t = (ULONGLONG)status.m_mtime.GetTime() * 10000000ULL + 116444736000000000ULL;
    FILETIME ft = {(DWORD)t, (DWORD)(t >> 32)};
    BOOL ok = ::SetFileTime(hFile, NULL, NULL, &ft);
    DWORD err = ::GetLastError();
    ::CloseHandle(hFile);
    if (!ok) CFileException::ThrowOsError((LONG)err, lpszFileName);
  }
  if ((DWORD)status.m_attribute != wAttr) {
    if (!::SetFileAttributesA(lpszFileName, (DWORD)status.m_attribute))
      CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
  }
}

#else  // native

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException) {
  m_bCloseOnDelete = FALSE;
  m_hFile = (UINT)hFileNull;
  m_strFileName.Empty();
  nOpenFlags &= ~(UINT)typeBinary;

  int flags = 0;
  switch (nOpenFlags & 3) {
    case modeWrite: flags = O_WRONLY; break;
    case modeReadWrite: flags = O_RDWR; break;
    default: flags = O_RDONLY; break;
  }
  if (nOpenFlags & modeCreate) flags |= O_CREAT | ((nOpenFlags & modeNoTruncate) ? 0 : O_TRUNC);
  if (nOpenFlags & modeNoInherit) flags |= O_CLOEXEC;

  if (lpszFileName == NULL || *lpszFileName == 0) lpszFileName = "";
  AfxShareLock();
  if (!AfxShareCheckOpen(lpszFileName, nOpenFlags)) {
    AfxShareUnlock();
    if (pException != NULL) {
      pException->m_lOsError = EBUSY;
      pException->m_cause = CFileException::sharingViolation;
      pException->m_strFileName = lpszFileName;
    }
    return FALSE;
  }
  int fd = *lpszFileName ? ::open(lpszFileName, flags, 0666) : (errno = ENOENT, -1);
  int err = fd < 0 ? OpenErrno(lpszFileName) : 0;
  if (fd >= 0) {
    // A folder is not a file, as on Windows.
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
      ::close(fd);
      fd = -1;
      err = EACCES;
    }
  }
  if (fd >= 0) AfxShareRegister(fd, nOpenFlags);
  AfxShareUnlock();
  if (fd < 0) {
    if (pException != NULL) {
      pException->m_lOsError = (LONG)err;
      pException->m_cause = CFileException::ErrnoToException(err);
      pException->m_strFileName = lpszFileName;
    }
    return FALSE;
  }
  m_strFileName = FullPath(lpszFileName);
  m_hFile = (UINT)fd;
  m_bCloseOnDelete = TRUE;
  m_nOpenFlags = nOpenFlags;
  return TRUE;
}

namespace {
// Reading or writing a descriptor opened the other way is an access error on Windows.
[[noreturn]] void ThrowIoErrno(int err, const CString& name) {
  CFileException::ThrowErrno(err == EBADF ? EACCES : err, name);
}
}  // namespace

UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0) return 0;
  UINT nDone = 0;
  while (nDone < nCount) {
    ssize_t n = ::read((int)m_hFile, (char*)lpBuf + nDone, nCount - nDone);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowIoErrno(errno, m_strFileName);
    }
    if (n == 0) break;
    nDone += (UINT)n;
  }
  return nDone;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  UINT nDone = 0;
  while (nDone < nCount) {
    ssize_t n = ::write((int)m_hFile, (const char*)lpBuf + nDone, nCount - nDone);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowIoErrno(errno, m_strFileName);
    }
    if (n == 0) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
    nDone += (UINT)n;
  }
}

LONG CFile::Seek(LONG lOff, UINT nFrom) {
  int whence = nFrom == CFile::current ? SEEK_CUR : nFrom == CFile::end ? SEEK_END : SEEK_SET;
  off_t pos = ::lseek((int)m_hFile, (off_t)lOff, whence);
  if (pos < 0) CFileException::ThrowErrno(errno == EINVAL ? EINVAL : errno, m_strFileName);
  if (pos > (off_t)0x7FFFFFFF) AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
  return (LONG)pos;
}

DWORD CFile::GetPosition() const {
  off_t pos = ::lseek((int)m_hFile, 0, SEEK_CUR);
  if (pos < 0) CFileException::ThrowErrno(errno, m_strFileName);
  return (DWORD)pos;
}

void CFile::LockRange(DWORD dwPos, DWORD dwCount) {
  struct flock fl;
  std::memset(&fl, 0, sizeof(fl));
  fl.l_type = (m_nOpenFlags & 3) == modeRead ? F_RDLCK : F_WRLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = (off_t)dwPos;
  fl.l_len = (off_t)dwCount;
  if (::fcntl((int)m_hFile, F_SETLK, &fl) != 0)
    AfxThrowFileException(CFileException::lockViolation, (LONG)errno, m_strFileName);
}

void CFile::UnlockRange(DWORD dwPos, DWORD dwCount) {
  struct flock fl;
  std::memset(&fl, 0, sizeof(fl));
  fl.l_type = F_UNLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = (off_t)dwPos;
  fl.l_len = (off_t)dwCount;
  if (::fcntl((int)m_hFile, F_SETLK, &fl) != 0)
    AfxThrowFileException(CFileException::lockViolation, (LONG)errno, m_strFileName);
}

void CFile::SetLength(DWORD dwNewLen) {
  Seek((LONG)dwNewLen, CFile::begin);
  if (::ftruncate((int)m_hFile, (off_t)dwNewLen) != 0) ThrowIoErrno(errno, m_strFileName);
}

void CFile::Flush() {
  if (m_hFile == (UINT)hFileNull) return;
  if (::fsync((int)m_hFile) != 0 && errno != EINVAL && errno != EROFS) CFileException::ThrowErrno(errno, m_strFileName);
}

void CFile::Close() {
  int err = 0;
  if (m_hFile != (UINT)hFileNull) {
    AfxShareUnregister((int)m_hFile);
    if (::close((int)m_hFile) != 0) err = errno;
  }
  m_hFile = (UINT)hFileNull;
  m_bCloseOnDelete = FALSE;
  CString name = m_strFileName;
  m_strFileName.Empty();
  if (err != 0) CFileException::ThrowErrno(err, name);
}

void CFile::Abort() {
  if (m_hFile != (UINT)hFileNull) {
    AfxShareUnregister((int)m_hFile);
    ::close((int)m_hFile);
  }
  m_hFile = (UINT)hFileNull;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
  // Windows does not replace an existing file.
  struct stat st;
  if (::lstat(lpszNewName, &st) == 0) AfxThrowFileException(CFileException::accessDenied, EEXIST, lpszOldName);
  if (!AfxShareCheckRemove(lpszOldName)) AfxThrowFileException(CFileException::sharingViolation, EBUSY, lpszOldName);
  if (::rename(lpszOldName, lpszNewName) != 0) {
    int err = errno == ENOENT ? OpenErrno(lpszOldName) : errno;
    CFileException::ThrowErrno(err, lpszOldName);
  }
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName) {
  struct stat st;
  if (::stat(lpszFileName, &st) == 0 && S_ISDIR(st.st_mode))
    AfxThrowFileException(CFileException::accessDenied, EISDIR, lpszFileName);
  if (!AfxShareCheckRemove(lpszFileName)) AfxThrowFileException(CFileException::sharingViolation, EBUSY, lpszFileName);
  if (::unlink(lpszFileName) != 0) {
    int err = errno == ENOENT ? OpenErrno(lpszFileName) : errno;
    CFileException::ThrowErrno(err, lpszFileName);
  }
}

namespace {
void FillStatus(const struct stat& st, CFileStatus& rStatus) {
  rStatus.m_size = (LONG)st.st_size;
  rStatus.m_mtime = CTime(st.st_mtime);
  rStatus.m_atime = CTime(st.st_atime);
  rStatus.m_ctime = CTime(st.st_mtime);  // no creation time in POSIX
  BYTE attr = 0;
  if (S_ISDIR(st.st_mode)) attr |= CFile::directory;
  if ((st.st_mode & 0222) == 0) attr |= CFile::readOnly;
  if (!S_ISDIR(st.st_mode)) attr |= CFile::archive;
  rStatus.m_attribute = attr;
}
}  // namespace

BOOL CFile::GetStatus(CFileStatus& rStatus) const {
  rStatus = CFileStatus();
  lstrcpyn(rStatus.m_szFullName, m_strFileName, _MAX_PATH);
  if (m_hFile == (UINT)hFileNull) return TRUE;
  struct stat st;
  if (::fstat((int)m_hFile, &st) != 0) return FALSE;
  FillStatus(st, rStatus);
  return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus) {
  rStatus = CFileStatus();
  struct stat st;
  if (lpszFileName == NULL || ::stat(lpszFileName, &st) != 0) return FALSE;
  lstrcpyn(rStatus.m_szFullName, FullPath(lpszFileName), _MAX_PATH);
  FillStatus(st, rStatus);
  return TRUE;
}

void PASCAL CFile::SetStatus(LPCTSTR lpszFileName, const CFileStatus& status) {
  struct stat st;
  if (::stat(lpszFileName, &st) != 0) CFileException::ThrowErrno(OpenErrno(lpszFileName), lpszFileName);
  if (status.m_mtime.GetTime() != 0) {
    struct utimbuf times;
    times.actime = status.m_atime.GetTime() != 0 ? status.m_atime.GetTime() : st.st_atime;
    times.modtime = status.m_mtime.GetTime();
    if (::utime(lpszFileName, &times) != 0) CFileException::ThrowErrno(errno, lpszFileName);
  }
  mode_t mode = st.st_mode & 07777;
  mode = (status.m_attribute & readOnly) ? (mode & ~0222) : (mode | 0200);
  if (::chmod(lpszFileName, mode) != 0) CFileException::ThrowErrno(errno, lpszFileName);
}

#endif

// Name without folder and extension.
CString AFXAPI AfxFileTitleOf(LPCTSTR lpszPath) {
  CString name = FileNamePart(lpszPath);
  int nDot = name.ReverseFind('.');
  if (nDot > 0) name = name.Left(nDot);
  return name;
}
