#include "jvqImageFileList.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "BaseImage.h"
#include "afxmbs.h"

CImageLibraryEntry::CImageLibraryEntry(int nNumber, LPCTSTR lpszName, LPCTSTR lpszPath)
    : m_pImage(NULL), m_nNumber(0) {
  if (lpszPath == NULL) return;
  m_strPath = lpszPath;
  m_pImage = CBaseImage::CreateFromPath(lpszPath);
  if (m_pImage != NULL) {
    m_nNumber = nNumber;
    m_strName = lpszName ? lpszName : "";
  }
}

CImageLibraryEntry::~CImageLibraryEntry() { delete m_pImage; }

jvqImageFileList::~jvqImageFileList() {
  if (m_bOwns) RemoveAll();
}

void jvqImageFileList::RemoveAll() {
  for (CImageLibraryEntry* e : m_entries) delete e;
  m_entries.clear();
}

namespace {

bool PathLess(const CString& a, const CString& b) {
  return Afx_mbscmp((const unsigned char*)(LPCTSTR)a, (const unsigned char*)(LPCTSTR)b) < 0;
}

// True when the text ends in a backslash that is a character of its own, not the second
// byte of a double-byte character (such as 表).
bool EndsInBackslash(LPCTSTR s) {
  const size_t n = std::strlen(s);
  if (n == 0) return false;
  const char* last = AfxCharPrev(s, s + n);
  return last == s + n - 1 && s[n - 1] == '\\';
}

}  // namespace

CString jvqFolderPrefix(LPCTSTR lpszFolder) {
  CString s = lpszFolder;
  if (!EndsInBackslash(lpszFolder)) s += "\\";
  return s;
}

BOOL jvqImageFileList::IsPictureFile(LPCTSTR lpszName) {
  const char* dot = AfxStrRChr(lpszName, '.');
  if (dot == NULL) return FALSE;
  static const char* const kExtensions[] = {".BMP", ".WMF", ".JPG", ".JPEG", ".TIF", ".TIFF", ".PNG", ".DXF", ".EMF"};
  for (const char* e : kExtensions)
    if (AfxStrCmpNoCase(dot, e) == 0) return TRUE;
  return FALSE;
}

BOOL jvqImageFileList::Load(const int* pNumbers, const LPCTSTR* pNames, LPCTSTR lpszFolder, int nMax) {
  if (pNumbers == NULL || pNames == NULL || lpszFolder == NULL || nMax == 0) return FALSE;
  const CString prefix = jvqFolderPrefix(lpszFolder);
  std::vector<CString> paths;
  CFileFind find;
  BOOL bMore = find.FindFile(prefix + "*.*");
  while (bMore) {
    bMore = find.FindNextFile();
    if (find.IsDots() || find.IsDirectory() || find.IsHidden() || find.IsSystem()) continue;
    const CString name = find.GetFileName();
    if (IsPictureFile(name)) paths.push_back(prefix + name);
  }
  find.Close();
  std::sort(paths.begin(), paths.end(), PathLess);
  const size_t n = std::min(paths.size(), (size_t)std::max(nMax, 0));
  for (size_t i = 0; i < n; i++) Add(new CImageLibraryEntry(pNumbers[i], pNames[i], paths[i]));
  return TRUE;
}

void jvqImageFileList::SortByPath() {
  std::stable_sort(m_entries.begin(), m_entries.end(),
                   [](CImageLibraryEntry* a, CImageLibraryEntry* b) { return PathLess(a->m_strPath, b->m_strPath); });
}

BOOL LoadImageLibraryIndex(LPCTSTR lpszFolder, jvqImageFileList* pList, LPCTSTR lpszIndexName) {
  if (lpszFolder == NULL || pList == NULL || lpszIndexName == NULL) return FALSE;
  const CString prefix = jvqFolderPrefix(lpszFolder);
  CStdioFile file;
  if (!file.Open(prefix + lpszIndexName, CFile::modeRead | CFile::shareDenyNone | CFile::typeText)) return FALSE;
  int nNumber = 0;
  try {
    CString line;
    while (file.ReadString(line)) {
      if (!line.IsEmpty() && line[line.GetLength() - 1] == '\r') line = line.Left(line.GetLength() - 1);
      // The last "/" of its own (not a trail byte), and not the first character.
      LPCTSTR s = line;
      LPCTSTR slash = NULL;
      for (LPCTSTR p = s; *p; p = AfxCharNext(p))
        if (*p == '/') slash = p;
      if (slash == NULL || slash == s) continue;
      const CString name(s, (int)(slash - s));
      const CString fileName(slash + 1);
      pList->Add(new CImageLibraryEntry(++nNumber, name, prefix + fileName));
    }
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
  return TRUE;
}
