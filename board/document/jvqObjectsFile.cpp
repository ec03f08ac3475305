#include "jvqObjectsFile.h"

#include <cstdint>
#include <cstdio>

#include "jvqFileHeader.h"
#include "jvqObjectDefaults.h"
#include "jvqRecordIO.h"

void jvqLoadObjectsFile(LPCTSTR lpszPath) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  CFile file;
  if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite)) {
    d->RemoveAll();
    d->CreatePrototypes();
    return;
  }
  jvqFileHeader header;
  try {
    int32_t nVersion = 0, n = 0;
    if (jvqReadExact(&file, &nVersion, 4) && jvqReadExact(&file, &n, 4)) {
      header.m_nVersion = nVersion;
      d->RemoveAll();
      if (n < 0 || (DWORD)n > jvqBytesLeft(&file) / 4) n = 0;
      for (int32_t i = 0; i < n; i++) {
        int32_t code = 0;
        if (!jvqReadExact(&file, &code, 4)) break;
        jvqObject* p = jvqObjectDefaults::CreateObject(code);
        if (p == NULL) break;  // no record length: nothing after an unknown class
        if (!p->Load(&file, &header)) {
          delete p;
          break;
        }
        d->AddPrototype(p);
      }
    }
  } catch (CFileException* e) {
    e->Delete();
  }
  d->FillMissingPrototypes();
}

BOOL jvqSaveObjectsFile(LPCTSTR lpszPath) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  CString strTemp = CString(lpszPath) + ".tmp";
  jvqFileHeader header;
  BOOL bOk = FALSE;
  {
    CFile file;
    if (!file.Open(strTemp, CFile::modeCreate | CFile::modeWrite)) return FALSE;
    try {
      int32_t v = header.m_nVersion, n = d->GetCount();
      file.Write(&v, 4);
      file.Write(&n, 4);
      bOk = TRUE;
      for (int i = 0; i < n && bOk; i++) bOk = d->GetAt(i)->Store(&file, &header);
      file.Close();
    } catch (CFileException* e) {
      e->Delete();
      bOk = FALSE;
      file.Abort();
    }
  }
  if (!bOk) {
    CFile::Remove(strTemp);
    return FALSE;
  }
  // Replaced in one step: the old file stays whole until the new one is.
#ifdef _WIN32
  if (::MoveFileEx(strTemp, lpszPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return TRUE;
#else
  if (::rename(strTemp, lpszPath) == 0) return TRUE;
#endif
  CFile::Remove(strTemp);
  return FALSE;
}
