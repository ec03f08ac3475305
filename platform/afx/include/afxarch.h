// CArchive: the platform's binary archive format, byte for byte. Scalars are little-endian.
// Strings: a length prefix of 1 byte (< 255), or 0xFF + WORD (< 0xFFFE), or 0xFF 0xFFFF +
// DWORD, then the bytes. Objects: a WORD tag 0 (NULL), 0xFFFF (new class: WORD schema, WORD
// name length, name, then the object), 0x8000|n (known class n, then a new object) or n (the
// n-th object already read or written); indexes beyond 0x7FFE use the tag 0x7FFF plus a DWORD.
// Reading never trusts a count further than the bytes the file still holds.
#pragma once

#include "afxexcept.h"
#include "afxfile.h"
#include "afxstr.h"

class CDocument;

class CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)
 public:
  enum { none, generic, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

  CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = NULL);
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);

  int m_cause;
  CString m_strFileName;
};

class CArchive {
 public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
  ~CArchive();

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  BOOL IsByteSwapping() const { return FALSE; }
  BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
  CFile* GetFile() const { return m_pFile; }

  // Schema of the object being read (valid once, inside a VERSIONABLE_SCHEMA class's Serialize).
  UINT GetObjectSchema();
  void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

  // The document being read or written (set by the document code).
  CDocument* m_pDocument;

  UINT Read(void* lpBuf, UINT nMax);
  void Write(const void* lpBuf, UINT nMax);
  // Writes buffered bytes to the file (storing) or moves the file back to the first unread
  // byte (loading), so that the caller can use the file directly.
  void Flush();
  void Close();
  void Abort();  // closes without writing or throwing

  void WriteString(LPCTSTR lpsz);  // the text only, no terminator or line end
  // A line up to "\n" ("\r\n" dropped); NULL / FALSE at the end.
  LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
  BOOL ReadString(CString& rString);

  // Class and object tags.
  CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL, DWORD* pObTag = NULL);
  void WriteClass(const CRuntimeClass* pClassRef);
  void SerializeClass(const CRuntimeClass* pClassRef);
  CObject* ReadObject(const CRuntimeClass* pClass);
  void WriteObject(const CObject* pOb);
  void MapObject(const CObject* pOb);

  // Counts of collections: WORD, or 0xFFFF + DWORD.
  void WriteCount(DWORD dwCount);
  DWORD ReadCount();
  // Throws CArchiveException::endOfFile unless nBytes more bytes can still be read: lets a
  // reader check a count from the file before it allocates for it.
  void EnsureAvailable(DWORD nBytes);

  void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128);
  void SetLoadParams(UINT nGrowBy = 1024);

  CArchive& operator<<(BYTE by);
  CArchive& operator<<(WORD w);
  CArchive& operator<<(LONG l);
  CArchive& operator<<(DWORD dw);
  CArchive& operator<<(float f);
  CArchive& operator<<(double d);
  CArchive& operator<<(short s) { return operator<<((WORD)s); }
  CArchive& operator<<(char ch) { return operator<<((BYTE)ch); }
#ifdef _WIN32
  CArchive& operator<<(int i) { return operator<<((LONG)i); }
  CArchive& operator<<(unsigned u) { return operator<<((DWORD)u); }
#else
  // Natively long is 64-bit; it is stored as the Win32 LONG it stands for.
  CArchive& operator<<(long l) { return operator<<((LONG)l); }
  CArchive& operator<<(unsigned long u) { return operator<<((DWORD)u); }
#endif

  CArchive& operator>>(BYTE& by);
  CArchive& operator>>(WORD& w);
  CArchive& operator>>(DWORD& dw);
  CArchive& operator>>(LONG& l);
  CArchive& operator>>(float& f);
  CArchive& operator>>(double& d);
  CArchive& operator>>(short& s) { return operator>>((WORD&)s); }
  CArchive& operator>>(char& ch) { return operator>>((BYTE&)ch); }
#ifdef _WIN32
  CArchive& operator>>(int& i) { return operator>>((LONG&)i); }
  CArchive& operator>>(unsigned& u) { return operator>>((DWORD&)u); }
#else
  CArchive& operator>>(long& l) {
    LONG v;
    operator>>(v);
    l = v;
    return *this;
  }
  CArchive& operator>>(unsigned long& u) {
    DWORD v;
    operator>>(v);
    u = v;
    return *this;
  }
#endif

  friend CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
  friend CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
  friend CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);

  void FillBuffer(UINT nBytesNeeded);

 protected:
  CArchive(const CArchive&) = delete;
  void operator=(const CArchive&) = delete;

  void CheckLoading() const;
  void CheckStoring() const;
  [[noreturn]] void ThrowEndOfFile() const;
  DWORD BytesLeft() const;  // buffered plus still in the file; 0xFFFFFFFF when unknown
  void WriteObjectTag(DWORD nTag);
  DWORD ReadObjectTag(WORD& wTag);

  BOOL m_nMode;
  BOOL m_bUserBuf;
  int m_nBufSize;
  CFile* m_pFile;
  BYTE* m_lpBufCur;
  BYTE* m_lpBufMax;
  BYTE* m_lpBufStart;
  BOOL m_bDirectBuffer;  // the file is a memory file read or written in place
  UINT m_nObjectSchema;
  CString m_strFileName;

  // Loading: object and class table, index = tag (entry 0 is the NULL object).
  void* m_pLoadArray;
  // Storing: map from object or class to its tag.
  void* m_pStoreMap;
  UINT m_nMapCount;
  UINT m_nGrowSize;
  UINT m_nHashSize;
};

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
CArchive& AFXAPI operator<<(CArchive& ar, CTime time);      // DWORD seconds
CArchive& AFXAPI operator>>(CArchive& ar, CTime& rtime);
CArchive& AFXAPI operator<<(CArchive& ar, CTimeSpan timeSpan);
CArchive& AFXAPI operator>>(CArchive& ar, CTimeSpan& rtimeSpan);
