// CFileException: causes from system error codes, and their messages.
#include <cerrno>

#include "afx.h"

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int cause, LONG lOsError) : m_cause(cause), m_lOsError(lOsError) {}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  static const char* const kMessages[] = {
      "%1 へのアクセス中にエラーはありませんでした。",
      "%1 へのアクセス中に予期しないエラーが発生しました。",
      "%1 が見つかりません。",
      "%1 には無効なパスが含まれています。",
      "開いているファイルが多すぎるため、%1 を開けませんでした。",
      "%1 へのアクセスは拒否されました。",
      "無効なファイル ハンドルが %1 に関連付けられていました。",
      "%1 は現在のディレクトリなので削除できません。",
      "ディレクトリがいっぱいなので、%1 を作成できませんでした。",
      "%1 でシークに失敗しました。",
      "%1 へのアクセス中にハードウェア I/O エラーが報告されました。",
      "%1 へのアクセス中に共有違反が発生しました。",
      "%1 へのアクセス中にロック違反が発生しました。",
      "%1 へのアクセス中にディスクがいっぱいになりました。",
      "%1 の終わりを越えてアクセスしようとしました。",
  };
  if (pnHelpContext != NULL) *pnHelpContext = 0;
  if (lpszError == NULL || nMaxError == 0) return FALSE;
  int cause = (m_cause >= 0 && m_cause <= endOfFile) ? m_cause : generic;
  LPCTSTR name = m_strFileName.IsEmpty() ? "名前のないファイル" : (LPCTSTR)m_strFileName;
  CString message;
  AfxFormatStrings(message, kMessages[cause], &name, 1);
  AfxStrCopyN(lpszError, message, nMaxError);
  return TRUE;
}

int PASCAL CFileException::ErrnoToException(int nErrno) {
  switch (nErrno) {
    case 0: return none;
    case EPERM:
    case EACCES:
    case EISDIR:
    case EROFS:
    case EEXIST:
    case EBUSY:
    case ETXTBSY: return accessDenied;
    case EBADF: return invalidFile;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EXDEV:
    case ENODEV:
    case ENXIO: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return diskFull;
    case ENOTEMPTY: return removeCurrentDir;
    case EIO: return hardIO;
    case ESPIPE:
    case EINVAL: return badSeek;
#ifdef EDEADLK
    case EDEADLK: return lockViolation;
#endif
    default: return generic;
  }
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName) {
  int cause = ErrnoToException(nErrno);
  AfxThrowFileException(cause == none ? generic : cause, (LONG)nErrno, lpszFileName);
}

#ifdef _WIN32

int PASCAL CFileException::OsErrorToException(LONG lOsErr) {
  switch ((DWORD)lOsErr) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_HANDLE:
    case ERROR_NO_MORE_FILES:
    case ERROR_DISK_CHANGE: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_SAME_DEVICE:
    case ERROR_WRONG_DISK:
    case ERROR_DUP_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_NET_NAME:
    case ERROR_SHARING_PAUSED:
    case ERROR_ALREADY_ASSIGNED:
    case ERROR_BUFFER_OVERFLOW:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_LEVEL:
    case ERROR_NO_VOLUME_LABEL:
    case ERROR_DIR_NOT_ROOT:
    case ERROR_LABEL_TOO_LONG:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_META_EXPANSION_TOO_LONG:
    case ERROR_DIRECTORY: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
    case ERROR_SHARING_BUFFER_EXCEEDED:
    case ERROR_TOO_MANY_NAMES:
    case ERROR_NO_MORE_SEARCH_HANDLES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_ACCESS:
    case ERROR_WRITE_PROTECT:
    case ERROR_WRITE_FAULT:
    case ERROR_NETWORK_BUSY:
    case ERROR_BAD_NET_RESP:
    case ERROR_NETNAME_DELETED:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_REQ_NOT_ACCEP:
    case ERROR_FILE_EXISTS:
    case ERROR_CANNOT_MAKE:
    case ERROR_INVALID_PASSWORD:
    case ERROR_BUSY:
    case ERROR_ALREADY_EXISTS:
    case ERROR_SWAPERROR: return accessDenied;
    case ERROR_BAD_FORMAT:
    case ERROR_NOT_DOS_DISK:
    case ERROR_BAD_REM_ADAP:
    case ERROR_BAD_DEV_TYPE:
    case ERROR_INVALID_TARGET_HANDLE:
    case ERROR_INVALID_ORDINAL:
    case ERROR_INVALID_EXE_SIGNATURE:
    case ERROR_BAD_EXE_FORMAT: return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_DIR_NOT_EMPTY: return removeCurrentDir;
    case ERROR_NO_SPOOL_SPACE: return directoryFull;
    case ERROR_BAD_LENGTH:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE: return badSeek;
    case ERROR_BAD_UNIT:
    case ERROR_NOT_READY:
    case ERROR_BAD_COMMAND:
    case ERROR_CRC:
    case ERROR_ADAP_HDW_ERR:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NET_WRITE_FAULT:
    case ERROR_INVALID_CATEGORY:
    case ERROR_OPERATION_ABORTED:
    case ERROR_IO_INCOMPLETE:
    case ERROR_IO_PENDING: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
    case ERROR_LOCK_FAILED: return lockViolation;
    case ERROR_HANDLE_EOF: return endOfFile;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return diskFull;
    default: return generic;
  }
}

#else

// The native build keeps errno values as its "OS error".
int PASCAL CFileException::OsErrorToException(LONG lOsError) { return ErrnoToException((int)lOsError); }

#endif

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName) {
  int cause = OsErrorToException(lOsError);
  AfxThrowFileException(cause == none ? generic : cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
  CFileException* e = new CFileException(cause, lOsError);
  e->m_strFileName = lpszFileName;
  throw e;
}
