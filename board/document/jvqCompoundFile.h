// The compound file of a board document: a structured storage whose stream "Contents"
// holds the document. Older flat files (the stream's bytes as a plain file) are read as
// if they were that stream.
#pragma once

#include <objbase.h>

#include "afx.h"

// A CFile over one stream of a storage.
class jvqStreamFile : public CFile {
 public:
  jvqStreamFile(IStorage* pStorage, IStream* pStream);
  virtual ~jvqStreamFile();

  virtual DWORD GetPosition() const;
  virtual LONG Seek(LONG lOff, UINT nFrom);
  virtual void SetLength(DWORD dwNewLen);
  virtual DWORD GetLength() const;
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual void Flush() {}
  virtual void Abort();
  virtual void Close();
  // Makes what was written permanent; throws when the storage refuses.
  void Commit();
  // The storage that holds the stream (embedded items keep theirs beside it).
  IStorage* GetStorage() const { return m_pStorage; }

 private:
  IStorage* m_pStorage;
  IStream* m_pStream;
};

class jvqCompoundFile {
 public:
  // The "Contents" of the file at the path, for reading: the stream of a compound file
  // or the bytes of a flat one. Throws a CException when neither opens.
  static CFile* OpenContents(LPCTSTR lpszPath);
  // A new compound file at the path (replacing any file there) with an empty "Contents"
  // stream to write; Commit it, then delete it. Throws a CException on failure.
  static jvqStreamFile* CreateContents(LPCTSTR lpszPath);
  static BOOL IsCompoundFile(LPCTSTR lpszPath);
};
