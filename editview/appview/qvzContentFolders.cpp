#include "qvzContentFolders.h"

#include <algorithm>
#include <vector>

#include "afxmbs.h"
#include "afxreplace.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

bool MbsLess(const CString& a, const CString& b) {
  return Afx_mbscmp((const unsigned char*)(LPCTSTR)a, (const unsigned char*)(LPCTSTR)b) < 0;
}

// The names a folder search finds, with the attributes it reports.
template <typename Keep>
std::vector<CString> FindNames(const CString& pattern, Keep keep) {
  std::vector<CString> names;
  CFileFind find;
  BOOL more = find.FindFile(pattern);
  while (more) {
    more = find.FindNextFile();
    if (keep(find)) names.push_back(find.GetFileName());
  }
  find.Close();
  return names;
}

}  // namespace

CString qvzGetProgramFolder() {
#ifdef _WIN32
  char szPath[MAX_PATH] = "";
  DWORD n = ::GetModuleFileName(NULL, szPath, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return CString();
  CString path(szPath);
  const char* slash = AfxStrRChr(path, '\\');
  return slash ? path.Left((int)(slash - (LPCTSTR)path) + 1) : CString();
#else
  return CString("./");
#endif
}

BOOL qvzEndsWithSeparator(LPCTSTR lpszPath) {
  if (!lpszPath || !lpszPath[0] || !lpszPath[1]) return FALSE;
  const char* end = lpszPath + strlen(lpszPath);
  const char* last = AfxCharPrev(lpszPath, end);
  return end - last == 1 && *last == '\\';
}

CString qvzFolderPrefix(LPCTSTR lpszFolder) {
  CString prefix(lpszFolder ? lpszFolder : "");
  if (!qvzEndsWithSeparator(prefix)) prefix += '\\';
  return prefix;
}

BOOL FileExists(LPCTSTR lpszPath) {
  if (!lpszPath || !lpszPath[0]) return FALSE;
  CFileStatus status;
  return CFile::GetStatus(lpszPath, status);
}

BOOL qvzIsValidCategoryName(LPCTSTR lpszName) {
  if (lpszName == NULL || lpszName[0] == '\0') return FALSE;
  if (strstr(lpszName, "..")) return FALSE;
  // Byte by byte, skipping trail bytes: a Shift-JIS trail byte may be 0x5C.
  for (const unsigned char* p = (const unsigned char*)lpszName; *p; p++) {
    if (_ismbblead(*p) && p[1]) {
      p++;
      continue;
    }
    if (*p == '\\' || *p == '/') return FALSE;
  }
  return TRUE;
}

void ReadCategoryList(CStringList& list) {
  ReadCategoryList(list, qvzGetProgramFolder() + "お気に入り");
}

void ReadCategoryList(CStringList& list, LPCTSTR lpszFavoritesFolder) {
  list.RemoveAll();
  const CString prefix = qvzFolderPrefix(lpszFavoritesFolder);
  // The order file counts only when it could also be rewritten: a read-only one is ignored
  // (asked of its attribute too, since an administrator may open it for writing anyway).
  const CString path = prefix + "info.txt";
  CFileStatus status;
  CStdioFile order;
  if (CFile::GetStatus(path, status) && !(status.m_attribute & CFile::readOnly) &&
      order.Open(path, CFile::modeReadWrite | CFile::shareDenyNone | CFile::typeText)) {
    try {
      CString line;
      while (order.ReadString(line)) {
        line.TrimRight("\r");
        if (qvzIsValidCategoryName(line) && FileExists(prefix + line)) list.AddTail(line);
      }
    } catch (CFileException* e) {
      e->Delete();
    }
    order.Close();
    return;
  }
  std::vector<CString> folders =
      FindNames(prefix + "*.*", [](const CFileFind& f) { return f.IsDirectory() && !f.IsDots(); });
  std::sort(folders.begin(), folders.end(), MbsLess);
  for (const CString& name : folders) list.AddTail(name);
}

int RebuildFolderIndex(LPCTSTR lpszFolder) {
  if (!lpszFolder) return 0;
  const CString prefix = qvzFolderPrefix(lpszFolder);
  std::vector<CString> files = FindNames(prefix + "*.qzl", [](const CFileFind& f) {
    if (f.MatchesMask(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY))
      return false;
    CString name = f.GetFileName();
    if (name.GetLength() < 4) return false;
    CString ext = name.Right(4);
    ext.MakeUpper();
    return ext == ".QZL";
  });
  if (files.empty()) return 0;
  std::sort(files.begin(), files.end(), MbsLess);
  CString text;
  for (const CString& name : files) text += name.Left(name.GetLength() - 4) + "\r\n";
  return AfxReplaceFileData(prefix + "info.txt", (LPCTSTR)text, (size_t)text.GetLength()) ? 1 : 0;
}

LPCTSTR MakeUniqueFileName(LPCTSTR lpszFolder, LPCTSTR lpszBase, LPCTSTR lpszExtension, int nStart) {
  static CString result;
  if (!lpszFolder) return NULL;
  const CString prefix = qvzFolderPrefix(lpszFolder);
  for (int n = nStart + 1; n <= 10000; n++) {
    CString name;
    name.Format("%s%d", lpszBase ? lpszBase : "", n);
    CString path;
    path.Format("%s%s.%s", (LPCTSTR)prefix, (LPCTSTR)name, lpszExtension ? lpszExtension : "");
    CFileFind find;
    BOOL found = find.FindFile(path);
    find.Close();
    if (!found) {
      result = name;
      return result;
    }
  }
  return NULL;
}

void ParseOrderFile(const char* pData, size_t nSize, CStringArray& names) {
  names.RemoveAll();
  size_t start = 0;
  for (size_t i = 0; i <= nSize; i++) {
    if (i < nSize && pData[i] != '\n') continue;
    size_t end = i;
    // A line feed is never the second byte of a double-byte character, so splitting at it
    // is safe; only the CR of a CR LF pair goes with it.
    if (i < nSize && end > start && pData[end - 1] == '\r') end--;
    if (end > start) names.Add(CString(pData + start, (int)(end - start)));
    start = i + 1;
  }
}

BOOL ReadOrderFile(LPCTSTR lpszPath, CStringArray& names) {
  names.RemoveAll();
  CFile file;
  if (!lpszPath || !file.Open(lpszPath, CFile::modeRead | CFile::shareDenyNone)) return FALSE;
  std::vector<char> data;
  try {
    ULONGLONG n = file.GetLength();
    // Order files are a line per object; anything near this size is not one.
    if (n > 16 * 1024 * 1024) return FALSE;
    data.resize((size_t)n);
    if (n && file.Read(data.data(), (UINT)n) != (UINT)n) return FALSE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
  ParseOrderFile(data.data(), data.size(), names);
  return TRUE;
}

void MergeOrderNames(const CStringArray& fileNames, const CStringArray& shownNames, CStringArray& out) {
  out.RemoveAll();
  std::vector<bool> used(shownNames.GetSize(), false);
  std::vector<bool> shownSlot(fileNames.GetSize(), false);
  for (int i = 0; i < fileNames.GetSize(); i++)
    for (int k = 0; k < shownNames.GetSize(); k++)
      if (!used[k] && shownNames[k] == fileNames[i]) {
        used[k] = true;
        shownSlot[i] = true;
        break;
      }
  // The shown names that the file holds, in shown order, go into the shown places.
  int next = 0;
  for (int i = 0; i < fileNames.GetSize(); i++) {
    if (!shownSlot[i]) {
      out.Add(fileNames[i]);
      continue;
    }
    while (!used[next]) next++;
    out.Add(shownNames[next++]);
  }
  for (int k = 0; k < shownNames.GetSize(); k++)
    if (!used[k]) out.Add(shownNames[k]);
}
