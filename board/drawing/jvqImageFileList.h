// The texture and pattern libraries and the picture folders: lists of library entries, each
// a picture file with its number and display name.
#pragma once

#include <vector>

#include "afx.h"

class CBaseImage;

class CImageLibraryEntry {
 public:
  // Loads the picture; only when it reads does the entry keep number and name.
  CImageLibraryEntry(int nNumber, LPCTSTR lpszName, LPCTSTR lpszPath);
  virtual ~CImageLibraryEntry();

  CBaseImage* m_pImage;  // owned; NULL when the file gave no picture
  int m_nNumber;
  CString m_strName;
  CString m_strPath;
};

class jvqImageFileList {
 public:
  jvqImageFileList() : m_bOwns(TRUE) {}
  virtual ~jvqImageFileList();

  // The picture files of the folder, sorted by path, the first nMax of them numbered and
  // named from the arrays. 0 when an argument is missing.
  virtual BOOL Load(const int* pNumbers, const LPCTSTR* pNames, LPCTSTR lpszFolder, int nMax);

  int GetCount() const { return (int)m_entries.size(); }
  CImageLibraryEntry* GetAt(int i) const { return m_entries[(size_t)i]; }
  void Add(CImageLibraryEntry* pEntry) { m_entries.push_back(pEntry); }
  void SortByPath();
  void RemoveAll();

  // A file name the picture readers take (by its whole extension).
  static BOOL IsPictureFile(LPCTSTR lpszName);

  BOOL m_bOwns;
  std::vector<CImageLibraryEntry*> m_entries;
};

// Reads an index file ("name/file" per line, Shift-JIS) of a library folder into the list,
// numbering the entries 1, 2, 3 ... ; FALSE when the index cannot be opened or read.
BOOL LoadImageLibraryIndex(LPCTSTR lpszFolder, jvqImageFileList* pList, LPCTSTR lpszIndexName);

// The folder with one separating backslash after it, also when its last character is a
// double-byte one whose second byte is a backslash.
CString jvqFolderPrefix(LPCTSTR lpszFolder);
