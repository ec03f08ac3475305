// Files: CFile (CreateFile on Windows, POSIX natively, with the same error causes),
// CStdioFile, CMemFile, CSharedFile (Windows), CFileStatus and CFileFind.
#pragma once

#include <cstdio>

#include "afxexcept.h"
#include "afxstr.h"
#include "afxtime.h"

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
 public:
  enum {
    none,
    generic,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  CFileException(int cause = CFileException::none, LONG lOsError = -1);

  void Clear() { m_cause = none; m_lOsError = -1; m_strFileName.Empty(); }
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);

  // Cause for a Win32 error code (GetLastError) or a C errno value.
  static int PASCAL OsErrorToException(LONG lOsError);
  static int PASCAL ErrnoToException(int nErrno);
  [[noreturn]] static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);
  [[noreturn]] static void PASCAL ThrowErrno(int nErrno, LPCTSTR lpszFileName = NULL);

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

struct CFileStatus {
  CTime m_ctime;
  CTime m_mtime;
  CTime m_atime;
  LONG m_size;
  BYTE m_attribute;
  BYTE _m_padding;
  TCHAR m_szFullName[_MAX_PATH];
};

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
 public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = (int)0x8000
  };
  enum Attribute {
    normal = 0x00,
    readOnly = 0x01,
    hidden = 0x02,
    system = 0x04,
    volume = 0x08,
    directory = 0x10,
    archive = 0x20
  };
  enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
  enum { hFileNull = -1 };
  enum BufferCommand { bufferRead, bufferWrite, bufferCommit, bufferCheck };

  CFile();
  CFile(int hFile);
  CFile(LPCTSTR lpszFileName, UINT nOpenFlags);  // throws CFileException
  virtual ~CFile();

  UINT m_hFile;  // Windows: the file HANDLE; natively: the file descriptor
  operator HFILE() const { return (HFILE)m_hFile; }

  virtual DWORD GetPosition() const;
  BOOL GetStatus(CFileStatus& rStatus) const;
  virtual CString GetFileName() const;
  virtual CString GetFileTitle() const;
  virtual CString GetFilePath() const;
  virtual void SetFilePath(LPCTSTR lpszNewName);

  // FALSE and pError filled on failure.
  virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

  static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
  static void PASCAL Remove(LPCTSTR lpszFileName);
  static BOOL PASCAL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
  static void PASCAL SetStatus(LPCTSTR lpszFileName, const CFileStatus& status);

  DWORD SeekToEnd();
  void SeekToBegin();
  DWORD ReadHuge(void* lpBuffer, DWORD dwCount);
  void WriteHuge(const void* lpBuffer, DWORD dwCount);

  virtual CFile* Duplicate() const;
  virtual LONG Seek(LONG lOff, UINT nFrom);
  virtual void SetLength(DWORD dwNewLen);
  virtual DWORD GetLength() const;
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual void LockRange(DWORD dwPos, DWORD dwCount);
  virtual void UnlockRange(DWORD dwPos, DWORD dwCount);
  virtual void Abort();  // closes without throwing
  virtual void Flush();
  virtual void Close();
  // Direct buffer access for memory files; 0 for other files.
  virtual UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = NULL, void** ppBufMax = NULL);

  BOOL m_bCloseOnDelete;
  CString m_strFileName;

 protected:
  UINT m_nOpenFlags = 0;
};

// Text files. Unless opened with typeBinary, ReadString and WriteString see "\r\n" on disk as
// "\n" (both builds); Read and Write move bytes unchanged.
class CStdioFile : public CFile {
  DECLARE_DYNAMIC(CStdioFile)
 public:
  CStdioFile();
  CStdioFile(FILE* pOpenStream);
  CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
  virtual ~CStdioFile();

  // Writes the text; in text mode each "\n" becomes "\r\n".
  virtual void WriteString(LPCTSTR lpsz);
  // Reads a line with its "\n" (up to nMax - 1 bytes); NULL at the end of the file.
  virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
  // Reads a line without its line end; FALSE at the end of the file.
  virtual BOOL ReadString(CString& rString);

  virtual DWORD GetPosition() const;
  virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual LONG Seek(LONG lOff, UINT nFrom);
  virtual void Abort();
  virtual void Flush();
  virtual void Close();
  virtual DWORD GetLength() const;
  virtual CFile* Duplicate() const;
  virtual void LockRange(DWORD dwPos, DWORD dwCount);
  virtual void UnlockRange(DWORD dwPos, DWORD dwCount);

  FILE* m_pStream;
};

// A file in memory that grows in steps of nGrowBytes; the buffer is freed with the file
// unless it was attached by the caller.
class CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)
 public:
  CMemFile(UINT nGrowBytes = 1024);
  // Uses the caller's buffer; nGrowBytes 0: the file cannot grow beyond it.
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  virtual ~CMemFile();

  void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  BYTE* Detach();  // the caller owns the buffer afterwards

  virtual DWORD GetPosition() const;
  BOOL GetStatus(CFileStatus& rStatus) const;
  virtual LONG Seek(LONG lOff, UINT nFrom);
  virtual void SetLength(DWORD dwNewLen);
  virtual DWORD GetLength() const;
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual void Abort();
  virtual void Flush();
  virtual void Close();
  virtual UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = NULL, void** ppBufMax = NULL);
  virtual CFile* Duplicate() const;  // throws CNotSupportedException
  virtual void LockRange(DWORD dwPos, DWORD dwCount);
  virtual void UnlockRange(DWORD dwPos, DWORD dwCount);

 protected:
  virtual BYTE* Alloc(DWORD nBytes);
  virtual BYTE* Realloc(BYTE* lpMem, DWORD nBytes);
  virtual BYTE* Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, UINT nBytes);
  virtual void Free(BYTE* lpMem);
  virtual void GrowFile(DWORD dwNewLen);

  UINT m_nGrowBytes;
  DWORD m_nPosition;
  DWORD m_nBufferSize;
  DWORD m_nFileSize;
  BYTE* m_lpBuffer;
  BOOL m_bAutoDelete;
};

#ifdef _WIN32
// A memory file over global memory, to hand to the clipboard or OLE (Detach).
class CSharedFile : public CMemFile {
  DECLARE_DYNAMIC(CSharedFile)
 public:
  CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
  virtual ~CSharedFile();

  HGLOBAL Detach();  // the caller owns the block; the file is empty afterwards
  void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

 protected:
  virtual BYTE* Alloc(DWORD nBytes);
  virtual BYTE* Realloc(BYTE* lpMem, DWORD nBytes);
  virtual void Free(BYTE* lpMem);

  UINT m_nAllocFlags;
  HGLOBAL m_hGlobalMemory;
  BOOL m_bAllowGrow;
};
#endif

// Directory listing with wildcards ('*', '?', matched without case).
class CFileFind : public CObject {
 public:
  CFileFind();
  virtual ~CFileFind();

  // pstrName: a path with a wildcard in its last part; NULL means "*.*" in the current folder.
  virtual BOOL FindFile(LPCTSTR pstrName = NULL, DWORD dwUnused = 0);
  // TRUE while more files follow the one it just made current.
  virtual BOOL FindNextFile();
  void Close();

  DWORD GetLength() const;
  virtual CString GetFileName() const;
  virtual CString GetFilePath() const;
  virtual CString GetFileTitle() const;
  virtual CString GetFileURL() const;
  virtual CString GetRoot() const;
  virtual BOOL GetLastWriteTime(CTime& refTime) const;
  virtual BOOL GetLastAccessTime(CTime& refTime) const;
  virtual BOOL GetCreationTime(CTime& refTime) const;
  virtual BOOL IsDots() const;
  virtual BOOL MatchesMask(DWORD dwMask) const;  // FILE_ATTRIBUTE_* bits

  BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
  BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
  BOOL IsCompressed() const { return MatchesMask(FILE_ATTRIBUTE_COMPRESSED); }
  BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
  BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
  BOOL IsTemporary() const { return MatchesMask(FILE_ATTRIBUTE_TEMPORARY); }
  BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
  BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }

 protected:
  struct Entry {
    CString name;
    DWORD attributes;
    DWORD size;
    time_t created, accessed, written;
  };
  void* m_pEntries;   // the matches, read at FindFile
  int m_nNext;        // index of the entry FindNextFile makes current
  int m_nCurrent;     // current entry, -1 before the first FindNextFile
  CString m_strRoot;  // folder of the search, ending with a separator
  const Entry* Current() const;
};
