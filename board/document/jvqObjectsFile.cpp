#include "jvqObjectsFile.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "afxreplace.h"
#include "jvqFileHeader.h"
#include "jvqFill.h"
#include "jvqObjectDefaults.h"
#include "jvqRecordIO.h"

BOOL jvqLoadObjectsFile(LPCTSTR lpszPath) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  CFile file;
  if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite)) {
    d->RemoveAll();
    d->CreatePrototypes();
    return FALSE;
  }
  // Every record is read before the registry changes: a damaged file changes nothing.
  jvqFileHeader header;
  std::vector<std::unique_ptr<jvqObject>> read;
  BOOL bOk = FALSE;
  try {
    int32_t nVersion = 0, n = 0;
    if (jvqReadExact(&file, &nVersion, 4) && jvqReadExact(&file, &n, 4) && n >= 0 &&
        (DWORD)n <= jvqBytesLeft(&file) / 4) {
      header.m_nVersion = nVersion;
      bOk = TRUE;
      for (int32_t i = 0; i < n && bOk; i++) {
        int32_t code = 0;
        if (!jvqReadExact(&file, &code, 4)) bOk = FALSE;
        std::unique_ptr<jvqObject> p(bOk ? jvqObjectDefaults::CreateObject(code) : NULL);
        // No record length: nothing can be read after an unknown class or a failed record.
        if (!p || !p->Load(&file, &header)) bOk = FALSE;
        // A picture fill names an entry of a past run's image pool, which is gone.
        if (bOk && p->GetFill() && (p->GetFill()->m_dwFlags & FILL_IMAGE))
          p->SetFill(jvqObjectDefaults::CloneBuiltInFill(code));
        if (bOk) read.push_back(std::move(p));
      }
    }
  } catch (CFileException* e) {
    e->Delete();
    bOk = FALSE;
  }
  if (bOk) {
    d->RemoveAll();
    for (auto& p : read) d->AddPrototype(p.release());
  }
  d->FillMissingPrototypes();
  return bOk;
}

BOOL jvqSaveObjectsFile(LPCTSTR lpszPath) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  return AfxReplaceFile(lpszPath, [d](LPCTSTR lpszTemp) -> BOOL {
    jvqFileHeader header;
    CFile file;
    if (!file.Open(lpszTemp, CFile::modeCreate | CFile::modeWrite)) return FALSE;
    try {
      int32_t v = header.m_nVersion, n = d->GetCount();
      file.Write(&v, 4);
      file.Write(&n, 4);
      for (int i = 0; i < n; i++)
        if (!d->GetAt(i)->Store(&file, &header)) {
          file.Abort();
          return FALSE;
        }
      file.Close();
    } catch (CFileException* e) {
      e->Delete();
      file.Abort();
      return FALSE;
    }
    return TRUE;
  });
}
