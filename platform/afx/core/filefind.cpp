// CFileFind: the matches are listed when the search starts.
#include <algorithm>
#include <cstring>
#include <vector>

#include "afx.h"

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace {


#ifndef _WIN32
char Fold(char c) { return (c >= 'A' && c <= 'Z') ? (char)(c + 32) : c; }

// '*' and '?' wildcards without case, stepping by characters; "*.*" matches every name.
bool Matches(const char* pattern, const char* name) {
  if (std::strcmp(pattern, "*.*") == 0) return true;
  while (*pattern) {
    if (*pattern == '*') {
      ++pattern;
      for (const char* p = name;; p = AfxCharNext(p)) {
        if (Matches(pattern, p)) return true;
        if (*p == 0) return false;
      }
    }
    if (*name == 0) return false;
    const char* pn = AfxCharNext(pattern);
    const char* nn = AfxCharNext(name);
    if (*pattern == '?') {
      pattern = pn;
      name = nn;
      continue;
    }
    if (pn - pattern != nn - name) return false;
    if (pn - pattern == 1 ? Fold(*pattern) != Fold(*name) : std::memcmp(pattern, name, 2) != 0) return false;
    pattern = pn;
    name = nn;
  }
  return *name == 0;
}
#endif

}  // namespace


CFileFind::CFileFind() : m_pEntries(NULL), m_nNext(0), m_nCurrent(-1) {}

CFileFind::~CFileFind() { Close(); }

void CFileFind::Close() {
  delete (std::vector<Entry>*)m_pEntries;
  m_pEntries = NULL;
  m_nNext = 0;
  m_nCurrent = -1;
  m_strRoot.Empty();
}

const CFileFind::Entry* CFileFind::Current() const {
  const std::vector<Entry>* entries = (const std::vector<Entry>*)m_pEntries;
  if (entries == NULL || m_nCurrent < 0 || m_nCurrent >= (int)entries->size()) return NULL;
  return &(*entries)[(size_t)m_nCurrent];
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD) {
  Close();
  CString pattern = pstrName ? pstrName : "*.*";
  // The folder part ends at the last separator (a '\\' trail byte is not one).
  int nSep = -1;
  for (const char* p = pattern; *p; p = AfxCharNext(p))
    if (*p == '\\' || *p == '/') nSep = (int)(p - (const char*)pattern);
  m_strRoot = pattern.Left(nSep + 1);
  CString mask = pattern.Mid(nSep + 1);
  std::vector<Entry>* entries = new std::vector<Entry>;
  m_pEntries = entries;
#ifdef _WIN32
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA(pattern, &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      auto toTime = [](const FILETIME& ft) { return CTime(ft).GetTime(); };
      entries->push_back({fd.cFileName, fd.dwFileAttributes, fd.nFileSizeLow, toTime(fd.ftCreationTime),
                          toTime(fd.ftLastAccessTime), toTime(fd.ftLastWriteTime)});
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
  }
#else
  CString folder = m_strRoot.IsEmpty() ? CString(".") : m_strRoot;
  if (DIR* dir = ::opendir(folder)) {
    while (struct dirent* de = ::readdir(dir)) {
      if (!Matches(mask, de->d_name)) continue;
      struct stat st;
      CString path = m_strRoot + de->d_name;
      if (::stat(path, &st) != 0) continue;
      DWORD attr = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
      if ((st.st_mode & 0222) == 0) attr |= FILE_ATTRIBUTE_READONLY;
      if (de->d_name[0] == '.' && std::strcmp(de->d_name, ".") != 0 && std::strcmp(de->d_name, "..") != 0)
        attr |= FILE_ATTRIBUTE_HIDDEN;
      entries->push_back({de->d_name, attr, (DWORD)st.st_size, st.st_mtime, st.st_atime, st.st_mtime});
    }
    ::closedir(dir);
  }
  // Directory order is arbitrary here; Windows lists names in order.
  std::sort(entries->begin(), entries->end(),
            [](const Entry& a, const Entry& b) { return a.name.CompareNoCase(b.name) < 0; });
#endif
  if (entries->empty()) {
    Close();
    return FALSE;
  }
  return TRUE;
}

BOOL CFileFind::FindNextFile() {
  const std::vector<Entry>* entries = (const std::vector<Entry>*)m_pEntries;
  if (entries == NULL || m_nNext >= (int)entries->size()) return FALSE;
  m_nCurrent = m_nNext++;
  return m_nNext < (int)entries->size();
}

DWORD CFileFind::GetLength() const {
  const Entry* e = Current();
  return e ? e->size : 0;
}

CString CFileFind::GetFileName() const {
  const Entry* e = Current();
  return e ? e->name : CString();
}

CString CFileFind::GetFilePath() const {
  const Entry* e = Current();
  return e ? m_strRoot + e->name : CString();
}

CString CFileFind::GetFileTitle() const {
  CString name = GetFileName();
  int nDot = name.ReverseFind('.');
  return nDot > 0 ? name.Left(nDot) : name;
}

CString CFileFind::GetFileURL() const { return "file://" + GetFilePath(); }

CString CFileFind::GetRoot() const { return m_strRoot; }

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const {
  const Entry* e = Current();
  if (e == NULL) return FALSE;
  refTime = CTime(e->written);
  return TRUE;
}

BOOL CFileFind::GetLastAccessTime(CTime& refTime) const {
  const Entry* e = Current();
  if (e == NULL) return FALSE;
  refTime = CTime(e->accessed);
  return TRUE;
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const {
  const Entry* e = Current();
  if (e == NULL) return FALSE;
  refTime = CTime(e->created);
  return TRUE;
}

BOOL CFileFind::IsDots() const {
  const Entry* e = Current();
  return e != NULL && (e->attributes & FILE_ATTRIBUTE_DIRECTORY) && (e->name == "." || e->name == "..");
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const {
  const Entry* e = Current();
  return e != NULL && (e->attributes & dwMask) != 0;
}
